#include "apps/lintra/Commands.h"
#include "apps/lintra/ExitCodes.h"
#include "apps/lintra/IncludeGraph.h"
#include "apps/lintra/Output.h"
#include "apps/lintra/SiteSurvey.h"

namespace lintra {

int RunGraph(Session& session, const Options& options) {
  SiteSurvey survey(false);
  SurveyPages(session, options, survey);
  const IncludeGraph graph = GraphOf(survey, options.depth);
  WriteOutBytes(options.graphFormat == GraphFormat::Dot ? DotText(graph) : MermaidText(graph));
  return ExitCode::Done;
}

}  // namespace lintra
