#include "app/appstartup.h"

#include "app/mainwidget.h"
#include "platform/singleinstanceguard.h"
#include "platform/toolcheck.h"
#include "style/appfonts.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTextCodec>
#include <QThreadPool>
#include <QTranslator>

void AppStartup::prepareEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

int AppStartup::run(int argc, char** argv)
{
    prepareEnvironment();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/icons/application_icon.png")));

    SingleInstanceGuard guard(QStringLiteral("JAMKey"), QStringLiteral("SystemObject"));
    if (!guard.tryAcquire()) {
        QMessageBox::information(nullptr, QStringLiteral("温馨提示"), QStringLiteral("当前程序正在运行！"),
                                 QMessageBox::Ok);
        return 0;
    }

    configureProcess(app);
    QFont font;
    font.setPointSize(10);
    MainWidget window(nullptr);
    window.setFont(font);
    window.show();
    return app.exec();
}

bool AppStartup::installQtTranslation(QCoreApplication& app)
{
    // Qt's own dialogs (file choosers, message boxes) would speak English in a Chinese window.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(translator);
        return true;
    }
    qWarning() << "Qt's Chinese translation is missing from"
               << QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    delete translator;
    return false;
}

void AppStartup::configureProcess(QApplication& app)
{
    installQtTranslation(app);
    AppFonts::installFamilySubstitution();
    const QScreen* screen = QGuiApplication::primaryScreen();
    AppFonts::configure(screen->availableGeometry().size(), screen->logicalDotsPerInch());
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    for (const QString& missing : ToolCheck::missingTools())
        qWarning() << "external tool missing:" << missing;
}
