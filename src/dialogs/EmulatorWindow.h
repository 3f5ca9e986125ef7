#pragma once
// The emulator window: the project compiled and running on an emulated panel. It shows the
// display (zoomable), the keypad as buttons (the keyboard works too), the register table of every
// value the project uses (editable, following the panel live), the register source (the table,
// or a PLC over Modbus RTU or Modbus TCP, polled off the gui thread) and a screen picker. When
// the project changes while it runs, the window offers to load it again.

#include <QElapsedTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulator/ModbusSource.h"
#include "emulator/PanelEmulator.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace vanta {

class FontTables;
class PanelDisplayWidget;
class Project;
class Prompter;

class EmulatorWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Source { Table, ModbusRtu, ModbusTcp };
    // How often the window lets the panel's time pass and redraws it.
    static constexpr int kTickMs = 20;

    // Compiles the project and opens the window on it; null when the compilation failed or was
    // cancelled (the compiler's message has gone to the prompter).
    static EmulatorWindow* open(Project& project, const std::string& dataDir,
                                const FontTables& fonts, Prompter& prompter,
                                QWidget* parent = nullptr);
    ~EmulatorWindow() override;

    // Compiles the project again and runs it, keeping the register table and, where it still
    // exists, the shown screen. False when the compilation failed (the old image keeps running).
    bool reload();
    // Called whenever the project may have changed: offers a reload when it differs from the
    // project that runs.
    void projectChanged();
    bool reloadOffered() const;

    // Chooses the register source (Modbus settings from the window's fields) and starts it.
    void useSource(Source source);
    void setModbusSettings(const ModbusSettings& settings);
    Source source() const { return source_; }

    void pressKey(PanelKey key);
    void releaseKey(PanelKey key);
    // Runs one tick at once (the timer does it every kTickMs).
    void tick();

    PanelEmulator& emulator() const { return *emulator_; }
    const PanelProgram& program() const { return *program_; }
    PanelDisplayWidget* display() const { return display_; }
    QTableWidget* registerTable() const { return registers_; }
    QPushButton* keyButton(PanelKey key) const;
    // The row of the register table that shows this point (-1 when none).
    int rowOf(const PointKey& key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EmulatorWindow(Project& project, std::string dataDir, const FontTables& fonts,
                   Prompter& prompter, QWidget* parent);
    bool compile();
    void start(std::shared_ptr<const PanelProgram> program);
    // Ends the Modbus source without waiting for it.
    void dropModbus();
    void build();
    QWidget* buildSourceBar();
    QWidget* buildKeypad();
    void fillScreens();
    void rebuildRows();
    void refreshValues();
    void registerEdited(QTableWidgetItem* item);
    void updateLink();
    ModbusSettings settingsFromFields() const;
    std::optional<PanelKey> keyOf(int qtKey) const;
    bool rowBefore(const PointKey& a, const PointKey& b) const;
    uint64_t fingerprint() const;

    Project& project_;
    std::string dataDir_;
    const FontTables& fonts_;
    Prompter& prompter_;

    // The panel goes before its source. A source ends on a thread of its own (its last request
    // may take a time-out to end) and keeps the program it maps points of alive until then.
    std::shared_ptr<const PanelProgram> program_;
    RegisterTable table_;
    std::unique_ptr<ModbusSource> modbus_;
    std::unique_ptr<PanelEmulator> emulator_;
    Source source_ = Source::Table;
    uint64_t fingerprint_ = 0;

    QElapsedTimer clock_;
    QTimer* timer_ = nullptr;
    uint64_t shownChanges_ = ~0ULL;
    std::vector<PointKey> rows_;
    bool filling_ = false;

    PanelDisplayWidget* display_ = nullptr;
    QSpinBox* zoom_ = nullptr;
    QComboBox* screens_ = nullptr;
    QComboBox* sourceChoice_ = nullptr;
    QStackedWidget* sourceFields_ = nullptr;
    QComboBox* rtuPort_ = nullptr;
    QComboBox* rtuBaud_ = nullptr;
    QComboBox* rtuParity_ = nullptr;
    QComboBox* rtuDataBits_ = nullptr;
    QComboBox* rtuStopBits_ = nullptr;
    QLineEdit* tcpHost_ = nullptr;
    QSpinBox* tcpPort_ = nullptr;
    QSpinBox* interval_ = nullptr;
    QPushButton* connect_ = nullptr;
    QLabel* link_ = nullptr;
    QTableWidget* registers_ = nullptr;
    QFrame* reloadBar_ = nullptr;
    std::map<PanelKey, QPushButton*> keys_;
};

}  // namespace vanta
