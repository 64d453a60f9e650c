#include "app/uilanguage.h"
#include "platform/logcategories.h"

#include <QCoreApplication>
#include <QDebug>
#include <QRegularExpression>
#include <QTranslator>

namespace {
QString firstSet(const QProcessEnvironment& env, std::initializer_list<const char*> names)
{
    // An empty variable counts as unset, as in setlocale().
    for (const char* name : names) {
        const QString value = env.value(QString::fromLatin1(name));
        if (!value.isEmpty())
            return value;
    }
    return {};
}

bool isCLocale(const QString& locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
           locale.startsWith(QLatin1String("C."));
}
} // namespace

bool UiLanguage::isEnglish(const QString& name)
{
    static const QRegularExpression english(QStringLiteral("^en([_.@].*)?$"));
    return english.match(name).hasMatch();
}

bool UiLanguage::isChinese(const QString& name)
{
    static const QRegularExpression chinese(QStringLiteral("^zh([_.@].*)?$"));
    return chinese.match(name).hasMatch();
}

bool UiLanguage::prefersEnglish(const QProcessEnvironment& env)
{
    const QString locale = firstSet(env, {"LC_ALL", "LC_MESSAGES", "LANG"});
    if (isCLocale(locale))
        return false;
    const QString languages = env.value(QStringLiteral("LANGUAGE"));
    if (languages.isEmpty())
        return isEnglish(locale);
    // gettext takes the first listed language it has texts for, and the program's own (Chinese)
    // when none; the locale is not consulted then.
    for (const QString& language : languages.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (isEnglish(language))
            return true;
        if (isChinese(language))
            return false;
    }
    return false;
}

bool UiLanguage::installEnglish(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/i18n/chengying_en.qm"))) {
        qCWarning(lcApp) << "the English translation is missing from the resources";
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}
