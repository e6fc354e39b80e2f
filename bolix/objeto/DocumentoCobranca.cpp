#include "bolix/objeto/DocumentoCobranca.h"

namespace bolix::objeto {

DocumentoCobranca::DocumentoCobranca() : Objeto(QStringLiteral("DocumentoCobranca")) {
    for (const char *nome :
         {"NumeroDocumento", "NomeSacado", "CNPJSacado", "CPFSacado", "EnderecoSacado", "BairroSacado",
          "CidadeSacado", "EstadoSacado", "CepSacado", "TipoDocumentoCobranca", "InstrucaoCobranca3",
          "NossoNumero", "Aceite", "NumeroControle", "AgenciaDebito", "ContaCorrenteDebito"})
        propriedade(QLatin1String(nome), Tipo::Texto);
    for (const char *nome : {"DataDocumento", "DataVencimento", "DataProcessamento"})
        propriedade(QLatin1String(nome), Tipo::Data);
    for (const char *nome :
         {"ValorDocumento", "ValorJurosDiaAtraso", "ValorMultaAtraso", "ValorDesconto",
          "ValorOutrosAcrescimos", "PercentualJurosDiaAtraso", "PercentualMultaAtraso", "PercentualDesconto"})
        propriedade(QLatin1String(nome), Tipo::Moeda);
    propriedade(QStringLiteral("DiasProtesto"), Tipo::Inteiro);
    propriedade(QStringLiteral("BancoGeraNossoNumero"), Tipo::Booleano);
    propriedade(QStringLiteral("BancoEmiteBoleto"), Tipo::Booleano);
    subObjeto(QStringLiteral("PadroesBoleto"), padroes_);
    subObjeto(QStringLiteral("MeusDados"), meusDados_);
}

} // namespace bolix::objeto
