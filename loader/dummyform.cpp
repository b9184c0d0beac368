#include "loader/dummyform.h"

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TF_FMXDummy)

} // namespace vantor
