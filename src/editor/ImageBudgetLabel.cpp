#include "editor/ImageBudgetLabel.h"

#include <QLocale>

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
    setToolTip(tr("下载映像占用的面板存储器和字库, 当前画面的部件数"));
    clearBudget();
}

void ImageBudgetLabel::clearBudget() {
    imageLevel_ = componentLevel_ = Level::Normal;
    setText(QString());
}

void ImageBudgetLabel::showBudget(const ProjectAnalysis& analysis, size_t screenComponents) {
    const QString separator = QStringLiteral(" | ");
    QStringList parts;
    if (analysis.compiled()) {
        imageLevel_ = level(analysis.image.size(), kMaxImageBytes);
        parts << coloured(
            tr("映像 %1/%2 字节").arg(number(analysis.image.size()), number(kMaxImageBytes)),
            imageLevel_);
        parts << coloured(tr("窄字 %1/%2").arg(analysis.glyphs.narrow).arg(kMaxNarrowGlyphs),
                          level(analysis.glyphs.narrow, kMaxNarrowGlyphs));
        parts << tr("宽字 %1").arg(analysis.glyphs.wide);
    } else {
        imageLevel_ = Level::Past;
        parts << coloured(tr("映像: 无法编译"), imageLevel_);
    }
    componentLevel_ = level(screenComponents, kMaxComponentsPerScreen);
    parts << coloured(tr("部件 %1/%2").arg(screenComponents).arg(kMaxComponentsPerScreen),
                      componentLevel_);
    setText(parts.join(separator));
}

}  // namespace vanta
