#include "bolix/objeto/OcorrenciaCobranca.h"

namespace bolix::objeto {

OcorrenciaCobranca::OcorrenciaCobranca() : Objeto(QStringLiteral("OcorrenciaCobranca")) {
    propriedade(QStringLiteral("NumeroDocumento"), Tipo::Texto);
    propriedade(QStringLiteral("NossoNumero"), Tipo::Texto);
    // The bank's movement code of the return, e.g. "06" for a settled title.
    propriedade(QStringLiteral("CodigoMovimento"), Tipo::Texto);
    propriedade(QStringLiteral("DataOcorrencia"), Tipo::Data);
    propriedade(QStringLiteral("DataCredito"), Tipo::Data);
    propriedade(QStringLiteral("ValorDocumento"), Tipo::Moeda);
    propriedade(QStringLiteral("ValorPago"), Tipo::Moeda);
}

} // namespace bolix::objeto
