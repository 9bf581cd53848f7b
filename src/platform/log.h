#pragma once
// The logging category of the platform layer: services of the system that
// failed, and files the program refused to trust.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
