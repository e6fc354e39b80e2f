#include "bolix/objeto/Arquivos.h"

namespace bolix::objeto {

namespace {
const QString layoutPadrao = QStringLiteral("FEBRABAN240");
}

ArquivoRemessa::ArquivoRemessa() : Objeto(QStringLiteral("ArquivoRemessa")) {
    propriedade(QStringLiteral("Diretorio"), Tipo::Texto);
    propriedade(QStringLiteral("Arquivo"), Tipo::Texto);
    // The caller sets a layout only for direct debit; every other run keeps this one.
    propriedade(QStringLiteral("Layout"), Tipo::Texto, layoutPadrao);
    propriedade(QStringLiteral("Sequencia"), Tipo::Inteiro);
}

ArquivoRetorno::ArquivoRetorno() : Objeto(QStringLiteral("ArquivoRetorno")) {
    propriedade(QStringLiteral("Diretorio"), Tipo::Texto);
    propriedade(QStringLiteral("Arquivo"), Tipo::Texto);
    propriedade(QStringLiteral("Layout"), Tipo::Texto, layoutPadrao);
}

} // namespace bolix::objeto
