#pragma once
// The image budget in the status bar, in two lines: bytes of the panel image of 32,768 and
// components on the current screen of 255; narrow glyphs of 128 and wide glyphs (double-byte
// characters). A figure turns amber from kAmberPercent of its limit on and red past the limit.

#include <QLabel>

namespace vanta {

struct ProjectAnalysis;

class ImageBudgetLabel : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kAmberPercent = 90;

    enum class Level { Normal, Near, Past };
    // How close `used` is to `limit`.
    static Level level(size_t used, size_t limit);

    explicit ImageBudgetLabel(QWidget* parent = nullptr);

    // The figures of the analysis; `screenComponents` counts the current screen's components.
    void showBudget(const ProjectAnalysis& analysis, size_t screenComponents);
    // Nothing is open.
    void clearBudget();

    Level imageLevel() const { return imageLevel_; }
    Level componentLevel() const { return componentLevel_; }

  private:
    // The figures as plain text in their two lines (the widest decides the label's room).
    static QStringList figuresLines(const QString& image, const QString& imageLimit,
                                    const QString& narrow, const QString& wide,
                                    const QString& components);

    Level imageLevel_ = Level::Normal;
    Level componentLevel_ = Level::Normal;
};

}  // namespace vanta
