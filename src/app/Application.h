#pragma once
// Start-up of the editor: the command line, the English translation, the main frame with its
// data files, the project named on the command line.
//
// Command line: vanta [--data DIR] [--no-translation] [--no-splash] [--quit-when-shown] [FILE]
//   --data DIR         folder of the data files and "In.dat" (default: the program folder)
//   --no-translation   stay Chinese even when VantaENU.qm lies in the program folder
//   --no-splash        no start-up picture
//   --quit-when-shown  end as soon as the main window is on screen (start-up measurements)
//   FILE               a project file opened at start-up

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QTranslator;

namespace vanta {

class CMainFrame;
class ProgramData;
class Prompter;
class QtPrompter;

struct StartupOptions {
    QString dataDir;         // data files and "In.dat"; the program folder when empty
    QString translationDir;  // where VantaENU.qm is looked for; the program folder when empty
    bool translate = true;
    bool splash = true;
    bool quitWhenShown = false;
    QString file;  // project file to open, empty for none
};

// Reads the arguments after the program name. nullopt and a message on a usage error.
std::optional<StartupOptions> parseCommandLine(const QStringList& arguments, QString* error);

class Application {
  public:
    // `prompter` answers the start-up messages and every later question; the editor's own
    // message boxes when null.
    explicit Application(StartupOptions options, Prompter* prompter = nullptr);
    ~Application();

    // Loads the translation, creates and shows the main frame and opens the file of the command
    // line. False when the program has to end (the glyph table is missing).
    bool initialise();

    CMainFrame* mainFrame() const { return frame_.get(); }
    ProgramData* data() const { return data_.get(); }
    // The English translation was loaded.
    bool isTranslated() const { return translated_; }

  private:
    void loadTranslation();

    StartupOptions options_;
    std::unique_ptr<QtPrompter> ownPrompter_;
    Prompter* prompter_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QTranslator> qtTranslator_;
    // The Chinese interface's translation of the core's English messages.
    std::unique_ptr<QTranslator> coreTranslator_;
    std::unique_ptr<ProgramData> data_;
    std::unique_ptr<CMainFrame> frame_;
    bool translated_ = false;
};

// Runs the editor in an existing QApplication: 0 when it ended normally, 1 when start-up failed,
// 2 on a usage error. `prompter` as for Application.
int runEditor(const QStringList& arguments, Prompter* prompter = nullptr);

// The program: creates the QApplication and runs the editor.
int runApplication(int argc, char** argv);

}  // namespace vanta
