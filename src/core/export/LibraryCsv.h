#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A CSV file as RFC 4180 has it: CR LF after every record, a field in
// double quotes when it holds a comma, a quote, CR or LF, its quotes doubled.
// The text starts with the UTF-8 byte-order mark, so that spreadsheets take
// it as UTF-8.
namespace LibraryCsv {

QByteArray bom();
QByteArray record(const QStringList &fields);

}  // namespace LibraryCsv
