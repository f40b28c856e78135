// A private settings root for a test: XDG_CONFIG_HOME points into a
// temporary folder for the test's lifetime.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lum::assistant {

class ScopedConfigHome {
public:
    ScopedConfigHome() : old_(qgetenv("XDG_CONFIG_HOME")), had_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        EXPECT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    }
    ~ScopedConfigHome()
    {
        if (had_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString Path() const { return dir_.path(); }
    QString SettingsFolder() const { return dir_.path() + QStringLiteral("/VOR/LUMAssistant"); }

private:
    QTemporaryDir dir_;
    QByteArray old_;
    bool had_;
};

} // namespace lum::assistant
