#include "app/qt/FileDialogFilters.h"

#include <QFileInfo>

#include <array>

namespace pict::qt {
namespace {

struct KindExtensions {
    SaveKind kind;
    std::array<const char*, 4> extensions; // the first is the one Save As appends
};

// What each written kind accepts as its own extension; the reading side has more (GIF, ICO).
constexpr KindExtensions kWrittenKinds[] = {
    {SaveKind::Bitmap, {".bmp", ".dib", ".rle", nullptr}},
    {SaveKind::Jpeg, {".jpg", ".jpeg", ".jpe", ".jfif"}},
    {SaveKind::Png, {".png", nullptr, nullptr, nullptr}},
};

const KindExtensions* writtenKindOfName(const QString& fileName) {
    for (const KindExtensions& kind : kWrittenKinds)
        for (const char* extension : kind.extensions)
            if (extension && fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
                return &kind;
    return nullptr;
}

} // namespace

QString FileFilterEntry::nameFilter() const {
    const QString joined = patterns.join(QLatin1Char(' '));
    if (text.endsWith(QStringLiteral("(%1)").arg(patterns.join(QLatin1Char(';')))) ||
        text.endsWith(QStringLiteral("(%1)").arg(joined)))
        return text.left(text.lastIndexOf(QLatin1Char('('))) + QStringLiteral("(%1)").arg(joined);
    return QStringLiteral("%1 (%2)").arg(text, joined);
}

QList<FileFilterEntry> parseFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<FileFilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        entries.append({parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
    }
    return entries;
}

QStringList nameFilters(const QList<FileFilterEntry>& entries) {
    QStringList out;
    for (const FileFilterEntry& entry : entries)
        out.append(entry.nameFilter());
    return out;
}

SaveKind saveKindForEntry(int entry) {
    switch (entry) {
    case 1: return SaveKind::Bitmap;
    case 2: return SaveKind::Jpeg;
    default: return SaveKind::Png;
    }
}

int saveEntryForName(const QString& fileName) {
    const KindExtensions* kind = writtenKindOfName(fileName);
    return static_cast<int>(kind ? kind->kind : SaveKind::Png);
}

QString extensionOf(SaveKind kind) {
    for (const KindExtensions& entry : kWrittenKinds)
        if (entry.kind == kind)
            return QLatin1String(entry.extensions[0]);
    return QStringLiteral(".png");
}

QString ensureExtension(const QString& fileName, SaveKind kind) {
    const KindExtensions* current = writtenKindOfName(fileName);
    if (current && current->kind == kind)
        return fileName;
    return fileName + extensionOf(kind);
}

QString proposedSaveName(const QString& documentName, SaveKind kind) {
    const QFileInfo info(documentName);
    const QString suffix = info.suffix();
    // "Untitled-1" has no extension; "photo.gif" becomes "photo.png".
    const QString base = suffix.isEmpty() ? documentName : documentName.left(documentName.size() - suffix.size() - 1);
    return base + extensionOf(kind);
}

} // namespace pict::qt
