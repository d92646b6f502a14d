// Built only by the test LayersBelowTheControlCannotReachIt, which expects the build to fail: the
// site model, the rules and the hosts do not see the control's headers.
#include "control/Lintra.h"
