#include "app/qt/window/FileDialogFilters.h"

namespace pict::qt {

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

QStringList openNameFilters() { return nameFilters(parseFileFilter(QString::fromUtf8(kOpenFilter))); }
QStringList saveNameFilters() { return nameFilters(parseFileFilter(QString::fromUtf8(kSaveFilter))); }

} // namespace pict::qt
