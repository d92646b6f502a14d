#include "platform/ErrorRecord.h"

#include <new>
#include <stdexcept>

namespace lintra {

RuntimeError::RuntimeError(ErrorRecord record)
    : record_(std::move(record)),
      message_(text::ToUtf8(text::FromNumber(record_.Number) + u" - " + record_.Description)) {}

namespace {

// The classic description of a platform error number, or "Application-defined or
// object-defined error" for any other number.
Text PlatformDescription(int32_t number) {
  switch (number) {
    case ErrorNumber::InvalidCall:
      return u"Invalid procedure call or argument";
    case ErrorNumber::Overflow:
      return u"Overflow";
    case ErrorNumber::OutOfMemory:
      return u"Out of memory";
    case ErrorNumber::SubscriptOutOfRange:
      return u"Subscript out of range";
    case ErrorNumber::TypeMismatch:
      return u"Type mismatch";
    case ErrorNumber::ObjectNotSet:
      return u"Object variable or With block variable not set";
    default:
      return u"Application-defined or object-defined error";
  }
}

ErrorRecord PlatformRecord(int32_t number) {
  return ErrorRecord{number, u"Lintra", PlatformDescription(number), Text(), 0};
}

}  // namespace

void RaisePlatformError(int32_t number) {
  RaiseError(number, u"Lintra", PlatformDescription(number));
}

void RaiseError(int32_t number, Text source, Text description) {
  throw RuntimeError(ErrorRecord{number, std::move(source), std::move(description), Text(), 0});
}

ErrorRecord CurrentErrorRecord(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& e) {
    return e.Record();
  } catch (const std::bad_alloc&) {
    return PlatformRecord(ErrorNumber::OutOfMemory);
  } catch (const std::length_error&) {
    return PlatformRecord(ErrorNumber::OutOfMemory);
  } catch (const std::out_of_range&) {
    return PlatformRecord(ErrorNumber::SubscriptOutOfRange);
  } catch (const std::exception& e) {
    ErrorRecord record = PlatformRecord(ErrorNumber::InvalidCall);
    record.Description += u" (" + text::FromUtf8(e.what()) + u")";
    return record;
  } catch (...) {
    return PlatformRecord(ErrorNumber::InvalidCall);
  }
}

}  // namespace lintra
