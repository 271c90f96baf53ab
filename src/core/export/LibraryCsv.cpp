#include "core/export/LibraryCsv.h"

namespace LibraryCsv {

QByteArray bom()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

QByteArray record(const QStringList &fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QByteArray field = fields[i].toUtf8();
        if (field.contains(',') || field.contains('"') || field.contains('\r') || field.contains('\n')) {
            QByteArray quoted = field;
            line += '"' + quoted.replace('"', "\"\"") + '"';
        } else {
            line += field;
        }
    }
    return line + "\r\n";
}
}  // namespace LibraryCsv
