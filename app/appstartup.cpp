#include "app/appstartup.h"

#include "app/mainwidget.h"
#include "platform/singleinstanceguard.h"
#include "platform/toolcheck.h"
#include "style/appfonts.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTextCodec>
#include <QThreadPool>

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

void AppStartup::configureProcess(const QApplication&)
{
    AppFonts::installFamilySubstitution();
    const QScreen* screen = QGuiApplication::primaryScreen();
    AppFonts::configure(screen->availableGeometry().size(), screen->logicalDotsPerInch());
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    for (const QString& missing : ToolCheck::missingTools())
        qWarning() << "external tool missing:" << missing;
}
