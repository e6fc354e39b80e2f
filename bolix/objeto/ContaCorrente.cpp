#include "bolix/objeto/ContaCorrente.h"

namespace bolix::objeto {

namespace {

// A method without arguments whose body returns nothing.
template <class F> Objeto::Corpo semResultado(F corpo) {
    return [corpo](const QList<Variant> &) {
        corpo();
        return Variant();
    };
}

} // namespace

ContaCorrente::ContaCorrente() : Objeto(QStringLiteral("ContaCorrente")) {
    for (const char *nome : {"CodigoAgencia", "NumeroContaCorrente", "CodigoCedente",
                             "OutroDadoConfiguracao1", "OutroDadoConfiguracao2", "InicioNossoNumero",
                             "FimNossoNumero", "ProximoNossoNumero", "LocalPagamento"})
        propriedade(QLatin1String(nome), Tipo::Texto);
    propriedade(QStringLiteral("NaoUsarFatorVencimento"), Tipo::Booleano);
    leitura(QStringLiteral("NumeroBanco"), Tipo::Texto, [this] { return Variant(numeroBanco()); });

    subObjeto(QStringLiteral("ArquivoRemessa"), remessa_);
    subObjeto(QStringLiteral("ArquivoRetorno"), retorno_);
    subObjeto(QStringLiteral("PadroesBoleto"), padroes_);
    subObjeto(QStringLiteral("MeusDados"), meusDados_);
    subObjeto(QStringLiteral("DocumentosCobranca"), documentos_);
    subObjeto(QStringLiteral("OcorrenciasCobranca"), ocorrencias_);
    subObjeto(QStringLiteral("PixCobranca"), pix_);
    subObjeto(QStringLiteral("BaixasCobranca"), baixas_);
    // Lines separated by CR LF.
    leitura(QStringLiteral("AvisosRetorno"), Tipo::Texto,
            [this] { return Variant(avisos_.join(QStringLiteral("\r\n"))); });

    metodo(QStringLiteral("ConfiguraContaCorrente"), 0, semResultado([this] { configuraContaCorrente(); }));
    metodo(QStringLiteral("ImprimeBoletos"), 0, semResultado([this] { imprimeBoletos(); }));
    // Boletos issued before, printed again: the same pages marked "2ª via", nothing sent to the bank.
    metodo(QStringLiteral("ImprimeSegundaVia"), 1, [this](const QList<Variant> &args) {
        return Variant(imprimeBoletos(true, args.value(0).toText()));
    });
    metodo(QStringLiteral("GravaArquivoRemessa"), 0,
           [this](const QList<Variant> &) { return Variant(gravaArquivoRemessa()); });
    // Asked before anything is printed: what would stop GravaArquivoRemessa as the members and the settings
    // stand (a code or digit only the file carries), naming the member or key; empty when it can write.
    metodo(QStringLiteral("RecusaArquivoRemessa"), 0,
           [this](const QList<Variant> &) { return Variant(recusaArquivoRemessa()); });
    metodo(QStringLiteral("CarregaArquivosRetorno"), 0, semResultado([this] { carregaArquivosRetorno(); }));
    // With registro=API the documents are registered at the bank before they are printed.
    leitura(QStringLiteral("RegistroApi"), Tipo::Booleano, [this] { return Variant(registroApi()); });
    leitura(QStringLiteral("AvisoCertificado"), Tipo::Texto, [this] { return Variant(avisoCertificado()); });
    // The argument, empty or a late-bound object, is told the registrations as they end (Avanca(feitas,
    // total)) and each wait the bank asks for (AguardaBanco(segundos)).
    metodo(QStringLiteral("RegistraBoletos"), 1,
           [this](const QList<Variant> &args) { return Variant(registraBoletos(args.value(0))); });
    // The payments the bank liquidated from the date given (dd/mm/yyyy) to today, as the occurrences of a
    // return; returns the lines of the payments only announced, which are not occurrences.
    metodo(QStringLiteral("CarregaLiquidacoesApi"), 1, [this](const QList<Variant> &args) {
        return Variant(carregaLiquidacoesApi(args.value(0).toText()));
    });
    metodo(QStringLiteral("ConcluiRegistros"), 0,
           [this](const QList<Variant> &) { return Variant(concluiRegistros()); });
}

void ContaCorrente::set(const QString &membro, const Variant &valor) {
    Objeto::set(membro, valor);
    if (QStringView(membro).trimmed().compare(u"ProximoNossoNumero", Qt::CaseInsensitive) != 0)
        configurada_->reset();
}

} // namespace bolix::objeto
