#include "app/appstartup.h"

#include "app/filerouter.h"
#include "app/mainwidget.h"
#include "app/uilanguage.h"
#include "platform/apppaths.h"
#include "platform/instancechannel.h"
#include "platform/logcategories.h"
#include "platform/singleinstanceguard.h"
#include "platform/toolcheck.h"
#include "style/appfonts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTextCodec>
#include <QThreadPool>
#include <QTimer>
#include <QTranslator>

void AppStartup::prepareEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // Sizes are logical pixels on every screen; the icons carry @2x renderings for 2x screens.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}

const char* const AppStartup::kDesktopId = "io.github.chengying.Chengying";

QStringList AppStartup::filesFromArguments(int argc, char** argv)
{
    // File names decode as the rest of the program encodes them.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << QFile::decodeName(argv[i]);
    return FileRouter::absolutePaths(words, QDir::currentPath());
}

void AppStartup::setIdentity()
{
    // Qt's X11 window class is the application name; the desktop file's StartupWMClass matches it.
    QCoreApplication::setApplicationName(QStringLiteral("chengying"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
}

int AppStartup::run(int argc, char** argv)
{
    const QDateTime started = QDateTime::currentDateTime();
    prepareEnvironment();
    const QStringList files = filesFromArguments(argc, argv);
    // Qt would take words such as "-style" or "-reverse" for its own options: it sees none.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    setIdentity();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/icons/application_icon.png")));
    installTranslations(app);

    SingleInstanceGuard guard(QStringLiteral("chengying"));
    if (!guard.tryAcquire()) {
        if (!files.isEmpty() && InstanceChannel::send(files, 5000))
            return 0;
        QMessageBox::information(nullptr, QCoreApplication::translate("AppStartup", "温馨提示"),
                                 QCoreApplication::translate("AppStartup", "当前程序正在运行！"),
                                 QMessageBox::Ok);
        return 0;
    }
    InstanceChannel channel;
    channel.listen();

    configureProcess(app);
    QFont font;
    font.setPointSize(10);
    MainWidget window(nullptr);
    window.setFont(font);
    QObject::connect(&channel, &InstanceChannel::filesReceived, &window, [&window](const QStringList& paths) {
        window.bringToFront();
        window.openFiles(paths);
    });
    window.show();
    // After the window, not before it: the folders are read only once the user sees something,
    // and still before any batch can start. The guard says no other instance of ours writes.
    QTimer::singleShot(0, &app, [started] { AppPaths::removeStalePartials(started); });
    if (!files.isEmpty())
        window.openFiles(files);
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
    qCWarning(lcApp) << "Qt's Chinese translation is missing from"
                     << QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    delete translator;
    return false;
}

void AppStartup::installTranslations(QCoreApplication& app)
{
    if (!UiLanguage::prefersEnglish(QProcessEnvironment::systemEnvironment()) ||
        !UiLanguage::installEnglish(app))
        installQtTranslation(app);
}

void AppStartup::configureProcess(QApplication& /*app*/)
{
    AppFonts::installFamilySubstitution();
    const QScreen* screen = QGuiApplication::primaryScreen();
    AppFonts::configure(screen->availableGeometry().size(), screen->logicalDotsPerInch());
    QThreadPool::globalInstance()->setMaxThreadCount(10);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    for (const QString& missing : ToolCheck::missingTools())
        qCWarning(lcApp) << "external tool missing:" << missing;
}
