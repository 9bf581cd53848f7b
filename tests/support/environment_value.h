#pragma once
#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable for one test and restores it afterwards.
class EnvironmentValue {
public:
    EnvironmentValue(const char *name, const QByteArray &value) : name_(name), saved_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentValue()
    {
        if (saved_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, saved_);
    }
    EnvironmentValue(const EnvironmentValue &) = delete;
    EnvironmentValue &operator=(const EnvironmentValue &) = delete;

private:
    const char *name_;
    QByteArray saved_;
};
