#pragma once
// Helpers of the main-frame and dialog tests: a program folder holding copies of the generated
// data files, a prompter that answers from a script and records every message, and a way to act
// on a modal dialog once it is up; the panel's glyph tables from the build's folder.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/FontTables.h"
#include "common/Prompter.h"

namespace vanta::test {

class ScriptedPrompter : public Prompter {
  public:
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override {
        asked.push_back(text);
        captions.push_back(caption);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool wasAsked(const std::string& text) const {
        for (const std::string& t : asked)
            if (t == text)
                return true;
        return false;
    }
    std::vector<std::string> asked;
    std::vector<std::string> captions;
    std::deque<Answer> answers;
};

// The glyph tables the build puts beside the programs, loaded once.
inline const FontTables& fonts() {
    static const FontTables tables = [] {
        FontTables t;
        [[maybe_unused]] const bool loaded = t.loadFrom(VANTA_DATA_DIR).ok();
        return t;
    }();
    return tables;
}

inline const char* const kAllDataFiles[] = {"Ostra_EN.dat", "Ostra_CH.dat", "Ostra_Ptc.dat"};

// A temporary program folder with copies of some of the data files of the build.
class ProgramFolder {
  public:
    explicit ProgramFolder(std::initializer_list<const char*> files = {
                               "Ostra_EN.dat", "Ostra_CH.dat", "Ostra_Ptc.dat"}) {
        for (const char* name : files)
            QFile::copy(QStringLiteral(VANTA_DATA_DIR "/") + QString::fromLatin1(name),
                        file(QString::fromLatin1(name)));
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QByteArray read(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private:
    QTemporaryDir dir_;
};

// Runs `action` on the first modal dialog of type T that comes up (polling every 10 ms for at
// most 10 s). The returned flag tells whether it ran.
template <typename T>
std::shared_ptr<bool> whenModal(std::function<void(T*)> action) {
    auto done = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, done, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *done = true;
            action(dialog);
        } else if (++*tries > 1000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
    return done;
}

}  // namespace vanta::test
