#include "platform/services.h"

#include "platform/archivers.h"
#include "platform/choosers.h"
#include "platform/program_starter.h"

Services::Services() = default;
Services::Services(Services &&) noexcept = default;
Services &Services::operator=(Services &&) noexcept = default;
Services::~Services() = default;
