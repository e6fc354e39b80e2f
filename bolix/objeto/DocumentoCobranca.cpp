#include "bolix/objeto/DocumentoCobranca.h"

#include "bolix/objeto/Conversao.h"

namespace bolix::objeto {

DocumentoCobranca::DocumentoCobranca(ConfereNossoNumero confere)
    : Objeto(QStringLiteral("DocumentoCobranca")), confere_(std::move(confere)) {
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
    // Lets the caller find, before anything is written, the documents that the remittance of the layout
    // would refuse: one line per refused member, empty when the bank takes the document.
    metodo(QStringLiteral("Recusas"), 1, [this](const QList<Variant> &args) {
        return Variant(bolix::recusasDoDocumento(documentoDe(*this), args.at(0).toText()).join(u'\n'));
    });
}

// The nosso número is refused when given, before the document is printed or written.
void DocumentoCobranca::confere(const QString &nome, const Variant &valor) const {
    if (confere_ && nome == u"NossoNumero")
        confere_(*this, valor.toText());
}

} // namespace bolix::objeto
