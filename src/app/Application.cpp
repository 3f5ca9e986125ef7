#include "app/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/ProgramData.h"
#include "app/QtPrompter.h"
#include "qtsupport/AppInfo.h"
#include "qtsupport/CoreText.h"

namespace vanta {

namespace {

const char kUsage[] =
    "usage: vanta [--data DIR] [--no-translation] [--no-splash] [--quit-when-shown] [FILE]\n";

// Shows the window and tells when it has been painted once.
class ShownWatcher : public QObject {
  public:
    explicit ShownWatcher(QWidget* window) : QObject(window) { window->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

}  // namespace

std::optional<StartupOptions> parseCommandLine(const QStringList& arguments, QString* error) {
    StartupOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--data")) {
            if (i + 1 >= arguments.size()) {
                if (error)
                    *error = QStringLiteral("--data needs a folder");
                return std::nullopt;
            }
            options.dataDir = arguments.at(++i);
        } else if (a == QLatin1String("--no-translation")) {
            options.translate = false;
        } else if (a == QLatin1String("--no-splash")) {
            options.splash = false;
        } else if (a == QLatin1String("--quit-when-shown")) {
            options.quitWhenShown = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            if (error)
                *error = QStringLiteral("unknown option ") + a;
            return std::nullopt;
        } else if (options.file.isEmpty()) {
            options.file = a;
        } else {
            if (error)
                *error = QStringLiteral("only one project file can be opened");
            return std::nullopt;
        }
    }
    return options;
}

Application::Application(StartupOptions options, Prompter* prompter)
    : options_(std::move(options)) {
    if (!prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>();
        prompter = ownPrompter_.get();
    }
    prompter_ = prompter;
}

Application::~Application() {
    frame_.reset();
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
    if (qtTranslator_)
        QCoreApplication::removeTranslator(qtTranslator_.get());
    if (coreTranslator_)
        QCoreApplication::removeTranslator(coreTranslator_.get());
}

void Application::loadTranslation() {
    const QString folder = options_.translationDir.isEmpty()
                               ? QCoreApplication::applicationDirPath()
                               : options_.translationDir;
    const QString file = folder + QLatin1Char('/') + QString::fromLatin1(app::kTranslationFile);
    if (options_.translate && QFileInfo::exists(file)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator.get());
            translator_ = std::move(translator);
            translated_ = true;
            return;
        }
    }
    // The Chinese interface: Qt's own texts (standard buttons, file dialogs) in Chinese too, and
    // the core's English messages (the problem list, file errors); the system's own texts are
    // not in that translation and stay as they are.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_zh_CN"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        qtTranslator_ = std::move(qt);
    }
    auto core = std::make_unique<QTranslator>();
    if (core->load(folder + QLatin1Char('/') + QString::fromLatin1(kCoreChineseTranslationFile))) {
        QCoreApplication::installTranslator(core.get());
        coreTranslator_ = std::move(core);
    }
}

bool Application::initialise() {
    loadTranslation();
    const QString folder =
        options_.dataDir.isEmpty() ? QCoreApplication::applicationDirPath() : options_.dataDir;
    data_ = std::make_unique<ProgramData>(QFileInfo(folder).absoluteFilePath().toStdString());
    frame_ = std::make_unique<CMainFrame>(*data_, *prompter_);
    if (ownPrompter_) {
        ownPrompter_->setParent(frame_.get());
        ownPrompter_->setDefaultCaption(CMainFrame::applicationTitle());
    }
    if (!frame_->create()) {
        frame_.reset();
        return false;
    }
    frame_->show();
    // After the frame, so that it comes up over it.
    if (options_.splash)
        frame_->showSplash();
    if (!options_.file.isEmpty())
        frame_->openDocumentFile(options_.file);
    return true;
}

int runEditor(const QStringList& arguments, Prompter* prompter) {
    QString error;
    const std::optional<StartupOptions> options = parseCommandLine(arguments, &error);
    if (!options) {
        std::fprintf(stderr, "vanta: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    Application application(*options, prompter);
    if (!application.initialise())
        return 1;
    if (options->quitWhenShown)
        new ShownWatcher(application.mainFrame());
    const int status = QCoreApplication::exec();
    return status == 0 ? 0 : 1;
}

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(app::kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(app::kApplication));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(app::kVersion));
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    return runEditor(arguments, nullptr);
}

}  // namespace vanta
