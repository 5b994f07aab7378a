#include "data/declaration_key.h"

#include "engine/dataset.h"
#include "engine/query.h"

namespace zef {

using namespace Qt::StringLiterals;

DeclarationKey chaveDoRegistro(const Dataset &record)
{
    return {record.fieldByName(u"AnoBase"_s)->asString(), record.fieldByName(u"CGCEmpresa"_s)->asString()};
}

void bindKey(Query &q, const DeclarationKey &key)
{
    q.setParam(u"AnoBase"_s, key.anoBase);
    q.setParam(u"CGCEmpresa"_s, key.cgcEmpresa);
}

} // namespace zef
