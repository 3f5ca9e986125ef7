#include "editor/ComponentClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "project/ComponentTransfer.h"

namespace vanta {

namespace {

bool looksLikeJson(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.startsWith(QLatin1Char('{')) && trimmed.endsWith(QLatin1Char('}'));
}

}  // namespace

QString componentMimeType() {
    return QStringLiteral("application/x-vanta-components+json");
}

void putComponentsOnClipboard(const Project& project, const std::vector<const CBase*>& components) {
    const std::string json = componentsToJson(project, components);
    const QByteArray bytes(json.data(), static_cast<qsizetype>(json.size()));
    auto* mime = new QMimeData;
    mime->setData(componentMimeType(), bytes);
    mime->setText(QString::fromUtf8(bytes));
    QGuiApplication::clipboard()->setMimeData(mime);
}

std::optional<std::string> componentsOnClipboard() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr)
        return std::nullopt;
    if (mime->hasFormat(componentMimeType())) {
        const QByteArray bytes = mime->data(componentMimeType());
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    if (mime->hasText() && looksLikeJson(mime->text()))
        return mime->text().toStdString();
    return std::nullopt;
}

bool clipboardMayHoldComponents() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr)
        return false;
    return mime->hasFormat(componentMimeType()) || (mime->hasText() && looksLikeJson(mime->text()));
}

}  // namespace vanta
