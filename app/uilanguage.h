#pragma once

#include <QProcessEnvironment>

class QCoreApplication;

// The program speaks Chinese, its own language, and English where the user's language is English.
class UiLanguage final
{
public:
    // The messages language read as gettext reads it: LANGUAGE first unless the locale is C,
    // then LC_ALL, LC_MESSAGES, LANG. True only for English.
    static bool prefersEnglish(const QProcessEnvironment& env);
    // Our English texts; Qt's own dialogs are English already. False when missing.
    static bool installEnglish(QCoreApplication& app);

private:
    static bool isEnglish(const QString& name);
    static bool isChinese(const QString& name);
};
