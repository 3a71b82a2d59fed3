#include "BenchSupport.h"

#include "Generator.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <QVariant>

namespace bench {

store::Result<void> makeArticleBase(const QString& path, qsizetype bytes)
{
    using namespace store;
    auto db = Database::create(path);
    if (!db)
        return db.error();
    auto rs = (*db)->openRecordset();
    if (!rs)
        return rs.error();
    Recordset& r = **rs;
    for (int i = 0; i < 4; ++i) {
        r.addNew();
        for (const auto& [column, value] : std::initializer_list<std::pair<int, QVariant>>{
                 {ColPath, QStringLiteral("Статьи")},
                 {ColName, i == 0 ? QStringLiteral("Большая статья") : QStringLiteral("Статья %1").arg(i)},
                 {ColKind, KindArticle},
                 {ColBaseName, QStringLiteral("Zelvorant Kodrix")},
                 {ColBody, i == 0 ? gen::richArticle(bytes) : gen::richArticle(2000)},
                 {ColFileList, i == 0 ? QStringLiteral(";module.bas;form.frm;picture.bmp") : QVariant()},
                 {ColSeeAlso, i == 0 ? QStringLiteral("Статьи\\Статья 1;;Статьи\\Статья 2;;Статьи\\Статья 3;;")
                                     : QVariant()}}) {
            if (auto ok = r.setValue(column, value); !ok)
                return ok.error();
        }
        if (auto ok = r.update(); !ok)
            return ok.error();
    }
    return {};
}

}  // namespace bench
