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

PixCobranca::PixCobranca() : Objeto(QStringLiteral("PixCobranca")) {
    propriedade(QStringLiteral("NumeroDocumento"), Tipo::Texto);
    propriedade(QStringLiteral("NossoNumero"), Tipo::Texto);
    propriedade(QStringLiteral("CodigoMovimento"), Tipo::Texto);
    // The whole BR Code ("copia e cola"), checked; empty when the bank sent none or it was refused.
    propriedade(QStringLiteral("PixCopiaECola"), Tipo::Texto);
    propriedade(QStringLiteral("Txid"), Tipo::Texto);
    // The bank's status of the QR or the reason it was refused, in words.
    propriedade(QStringLiteral("Situacao"), Tipo::Texto);
    propriedade(QStringLiteral("Recusado"), Tipo::Booleano);
}

BaixaCobranca::BaixaCobranca() : Objeto(QStringLiteral("BaixaCobranca")) {
    propriedade(QStringLiteral("NumeroDocumento"), Tipo::Texto);
    propriedade(QStringLiteral("NossoNumero"), Tipo::Texto);
    propriedade(QStringLiteral("CodigoMovimento"), Tipo::Texto);
    // The movement's code and the bank's words for it.
    propriedade(QStringLiteral("Situacao"), Tipo::Texto);
    // What the store may do about it (ask the bank for its Pix codes...); empty when the bank has nothing.
    propriedade(QStringLiteral("Orientacao"), Tipo::Texto);
}

} // namespace bolix::objeto
