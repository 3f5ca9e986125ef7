#include "editor/ImageBudgetLabel.h"

#include <QLocale>
#include <algorithm>

#include "checks/ProjectAnalysis.h"
#include "image/ImageCompiler.h"

namespace vanta {

namespace {

QString coloured(const QString& text, ImageBudgetLabel::Level level) {
    switch (level) {
        case ImageBudgetLabel::Level::Near:
            return QStringLiteral("<span style=\"color:#b36b00\">%1</span>").arg(text);
        case ImageBudgetLabel::Level::Past:
            return QStringLiteral("<span style=\"color:#c00000\"><b>%1</b></span>").arg(text);
        case ImageBudgetLabel::Level::Normal:
            break;
    }
    return text;
}

QString number(size_t n) {
    return QLocale::system().toString(static_cast<qulonglong>(n));
}

}  // namespace

ImageBudgetLabel::Level ImageBudgetLabel::level(size_t used, size_t limit) {
    if (used > limit)
        return Level::Past;
    if (used * 100 >= limit * kAmberPercent)
        return Level::Near;
    return Level::Normal;
}

ImageBudgetLabel::ImageBudgetLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("imageBudget"));
    setTextFormat(Qt::RichText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setToolTip(
        tr("映像: 下载映像的字节数, 面板可容 32,768; 窄字, 宽字: 映像中的字形数; 部件: "
           "当前画面的部件数"));
    // The room of the widest figures from the start: the status bar lays out before the first
    // analysis, and the label never shrinks or pushes the panes around while the user types.
    // Two lines keep it narrow enough for the status bar of a small window.
    int widest = 0;
    for (const QString& line :
         figuresLines(QStringLiteral("32,768"), QStringLiteral("32,768"), QStringLiteral("128"),
                      QStringLiteral("999"), QStringLiteral("255")))
        widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    setMinimumWidth(widest + 2 * frameWidth() + 2 * margin() + 8);
    clearBudget();
}

QStringList ImageBudgetLabel::figuresLines(const QString& image, const QString& imageLimit,
                                           const QString& narrow, const QString& wide,
                                           const QString& components) {
    const QString separator = QStringLiteral(" | ");
    return {
        tr("映像 %1/%2").arg(image, imageLimit) + separator +
            tr("部件 %1/%2").arg(components).arg(kMaxComponentsPerScreen),
        tr("窄字 %1/%2").arg(narrow).arg(kMaxNarrowGlyphs) + separator + tr("宽字 %1").arg(wide)};
}

void ImageBudgetLabel::clearBudget() {
    imageLevel_ = componentLevel_ = Level::Normal;
    setText(QString());
}

void ImageBudgetLabel::showBudget(const ProjectAnalysis& analysis, size_t screenComponents) {
    const QString separator = QStringLiteral(" | ");
    componentLevel_ = level(screenComponents, kMaxComponentsPerScreen);
    const QString components = coloured(
        tr("部件 %1/%2").arg(screenComponents).arg(kMaxComponentsPerScreen), componentLevel_);
    if (!analysis.compiled()) {
        imageLevel_ = Level::Past;
        setText(coloured(tr("映像: 无法编译"), imageLevel_) + QStringLiteral("<br>") + components);
        return;
    }
    imageLevel_ = level(analysis.image.size(), kMaxImageBytes);
    const QString image = coloured(
        tr("映像 %1/%2").arg(number(analysis.image.size()), number(kMaxImageBytes)), imageLevel_);
    const QString narrow =
        coloured(tr("窄字 %1/%2").arg(analysis.glyphs.narrow).arg(kMaxNarrowGlyphs),
                 level(analysis.glyphs.narrow, kMaxNarrowGlyphs));
    const QString wide = tr("宽字 %1").arg(analysis.glyphs.wide);
    setText(image + separator + components + QStringLiteral("<br>") + narrow + separator + wide);
}

}  // namespace vanta
