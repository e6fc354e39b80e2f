#include "bolix/objeto/DocumentoCobranca.h"

#include "bolix/objeto/Conversao.h"

namespace bolix::objeto {

DocumentoCobranca::DocumentoCobranca(ConfereNossoNumero confere, NossoNumeroImpresso impresso)
    : Objeto(QStringLiteral("DocumentoCobranca")), confere_(std::move(confere)) {
    reserva(37);
    // Literal names: a run makes one document per charge, and these copy without allocating.
    for (const QString &nome :
         {QStringLiteral("NumeroDocumento"), QStringLiteral("NomeSacado"), QStringLiteral("CNPJSacado"),
          QStringLiteral("CPFSacado"), QStringLiteral("EnderecoSacado"), QStringLiteral("BairroSacado"),
          QStringLiteral("CidadeSacado"), QStringLiteral("EstadoSacado"), QStringLiteral("CepSacado"),
          QStringLiteral("TipoDocumentoCobranca"), QStringLiteral("InstrucaoCobranca3"),
          QStringLiteral("NossoNumero"), QStringLiteral("Aceite"), QStringLiteral("NumeroControle"),
          QStringLiteral("AgenciaDebito"), QStringLiteral("ContaCorrenteDebito"),
          QStringLiteral("PixCopiaECola")})
        propriedade(nome, Tipo::Texto);
    for (const QString &nome : {QStringLiteral("DataDocumento"), QStringLiteral("DataVencimento"),
                                QStringLiteral("DataProcessamento")})
        propriedade(nome, Tipo::Data);
    for (const QString &nome :
         {QStringLiteral("ValorDocumento"), QStringLiteral("ValorJurosDiaAtraso"),
          QStringLiteral("ValorMultaAtraso"), QStringLiteral("ValorDesconto"),
          QStringLiteral("ValorOutrosAcrescimos"), QStringLiteral("PercentualJurosDiaAtraso"),
          QStringLiteral("PercentualMultaAtraso"), QStringLiteral("PercentualDesconto")})
        propriedade(nome, Tipo::Moeda);
    propriedade(QStringLiteral("DiasProtesto"), Tipo::Inteiro);
    propriedade(QStringLiteral("BancoGeraNossoNumero"), Tipo::Booleano);
    propriedade(QStringLiteral("BancoEmiteBoleto"), Tipo::Booleano);
    // What the payer reads off the boleto (convênio or carteira part, check digit), so that the caller can
    // record and find it.
    leitura(QStringLiteral("NossoNumeroImpresso"), Tipo::Texto, [this, impresso = std::move(impresso)] {
        return Variant(impresso ? impresso(*this) : QString());
    });
    // Set by RegistraBoletos: whether the bank holds the boleto as printed, and what happened to it.
    propriedade(QStringLiteral("RegistradoNoBanco"), Tipo::Booleano);
    propriedade(QStringLiteral("RegistroBanco"), Tipo::Texto);
    subObjeto(QStringLiteral("PadroesBoleto"), padroes_);
    subObjeto(QStringLiteral("MeusDados"), meusDados_);
    // Lets the caller find, before anything is written, the documents that the remittance of the layout
    // would refuse: one line per refused member, empty when the bank takes the document.
    // The settings tell a CNAB 400 installation's boleto checks from CNAB 240's.
    metodo(QStringLiteral("Recusas"), 1, [this](const QList<Variant> &args) {
        const QString layout = args.at(0).toText();
        const bolix::ConfiguracaoBolix configuracao =
            bolix::ehLayoutDebito(layout)
                ? bolix::ConfiguracaoBolix()
                : comErroDeAutomacao([] { return bolix::lerConfiguracao(caminhoConfiguracao()); });
        return Variant(bolix::recusasDoDocumento(documentoDe(*this), layout, configuracao).join(u'\n'));
    });
}

// The nosso número is refused when given, before the document is printed or written.
void DocumentoCobranca::confere(const QString &nome, const Variant &valor) const {
    if (confere_ && nome == u"NossoNumero")
        confere_(*this, valor.toText());
}

} // namespace bolix::objeto
