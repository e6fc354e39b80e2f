#include "bolix/objeto/PadroesBoleto.h"

namespace bolix::objeto {

PadroesBoletoImpresso::PadroesBoletoImpresso() : Objeto(QStringLiteral("PadroesBoletoImpresso")) {
    propriedade(QStringLiteral("ArquivoLogotipo"), Tipo::Texto);
    propriedade(QStringLiteral("CaminhoImagensCodigoBarras"), Tipo::Texto);
    propriedade(QStringLiteral("MargemSuperior"), Tipo::Inteiro);
}

PadroesBoleto::PadroesBoleto() : Objeto(QStringLiteral("PadroesBoleto")) {
    propriedade(QStringLiteral("InstrucoesCaixa"), Tipo::Texto);
    propriedade(QStringLiteral("Demonstrativo"), Tipo::Texto);
    subObjeto(QStringLiteral("PadroesBoletoImpresso"), impresso_);
}

} // namespace bolix::objeto
