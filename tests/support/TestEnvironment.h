#pragma once
// Every test process runs with a home folder of its own in the build tree, so
// nothing a test forgets to redirect can touch the real user's settings or data.
#include <QByteArray>
#include <QDir>
#include <QFile>

inline void prepareTestEnvironment()
{
    const QByteArray home = TARNWELL_TEST_HOME;
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_CACHE_HOME", home + "/.cache");
    qputenv("XDG_RUNTIME_DIR", home + "/run");
    QDir().mkpath(QString::fromLocal8Bit(home + "/run"));
    QFile::setPermissions(QString::fromLocal8Bit(home + "/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("TARNWELL_TEST_OUT"))
        qputenv("TARNWELL_TEST_OUT", TARNWELL_TEST_RENDERS);
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
}

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "detect_leaks=1:abort_on_error=1"; }
#endif
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
