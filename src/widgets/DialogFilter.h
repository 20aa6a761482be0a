// Conversion of a file dialog filter list from "Name|*.a;*.b|…" form to Qt's.
#pragma once

#include <QString>
#include <QStringList>

// "Файлы ( html )|*.html;*.htm|Все файлы|*.*" gives
// {"Файлы ( html ) (*.html *.htm)", "Все файлы (*.*)"}; a name without patterns is dropped.
QStringList QtNameFilters(const QString& filter);
