#pragma once
// The open and save filters of the file kinds ("Text|patterns|..." pairs, see
// codecs/FileKind.h) in the form QFileDialog takes them.

#include "codecs/FileKind.h"

#include <QString>
#include <QStringList>

namespace pict::qt {

struct FileFilterEntry {
    QString text;         // what the list shows, as written
    QStringList patterns; // "*.bmp", ...
    // The QFileDialog form: the text, with the patterns in parentheses added when the text
    // does not already end with exactly those.
    QString nameFilter() const;
};

// One entry per text/patterns pair; an unpaired trailing text is dropped.
QList<FileFilterEntry> parseFileFilter(const QString& filter);
QStringList nameFilters(const QList<FileFilterEntry>& entries);
// The open filter's and the save filter's entries, numbered from 1 as the kinds count them.
QStringList openNameFilters();
QStringList saveNameFilters();

} // namespace pict::qt
