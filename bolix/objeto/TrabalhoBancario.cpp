#include "bolix/core/ErroBolix.h"
#include "bolix/objeto/Conversao.h"

#include <QDateTime>

namespace bolix::objeto {

namespace {

[[noreturn]] void indisponivel(const char *metodo) {
    throw automation::AutomationError(
        QStringLiteral("%1: o trabalho bancário ainda não está disponível nesta versão do Bolix.")
            .arg(QLatin1String(metodo)));
}

// The core's refusals reach the caller as automation errors with the same text.
template <class F> auto comErroDeAutomacao(F trabalho) {
    try {
        return trabalho();
    } catch (const bolix::ErroBolix &e) {
        throw automation::AutomationError(e.texto());
    }
}

// Each call configures the account afresh from the members and the settings file, so the files
// always follow what the caller set last.
bolix::ContaConfigurada contaConfigurada(const ContaCorrente &objeto) {
    bolix::Conta conta = contaDe(objeto);
    return bolix::configuraConta(conta, bolix::lerConfiguracao(caminhoConfiguracao()));
}

} // namespace

QString ContaCorrente::numeroBanco() const {
    return comErroDeAutomacao([] { return bolix::lerConfiguracao(caminhoConfiguracao()).banco; });
}

void ContaCorrente::configuraContaCorrente() {
    comErroDeAutomacao([this] {
        bolix::Conta conta = contaDe(*this);
        bolix::configuraConta(conta, bolix::lerConfiguracao(caminhoConfiguracao()));
        devolveConta(*this, conta);
    });
}

void ContaCorrente::imprimeBoletos() {
    indisponivel("ImprimeBoletos");
}

QString ContaCorrente::gravaArquivoRemessa() {
    return comErroDeAutomacao([this] {
        QList<bolix::Documento> docs;
        for (const auto &doc : documentos().itens())
            docs.append(documentoDe(*doc));
        return QStringLiteral(": ") + bolix::gravaArquivoRemessa(contaConfigurada(*this), docs,
                                                                 destinoDe(arquivoRemessa()),
                                                                 QDateTime::currentDateTime());
    });
}

// Only payments become occurrences: the caller settles every occurrence by its paid amount.
void ContaCorrente::carregaArquivosRetorno() {
    comErroDeAutomacao([this] {
        const ArquivoRetorno &arquivo = arquivoRetorno();
        const QString layout = arquivo.texto(QStringLiteral("Layout")).trimmed();
        if (!layout.isEmpty() && layout.compare(u"FEBRABAN240", Qt::CaseInsensitive) != 0)
            throw bolix::ErroBolix(
                QStringLiteral("ArquivoRetorno.Layout \"%1\" não suportado: use FEBRABAN240.").arg(layout));
        const QString caminho = bolix::caminhoDoArquivo(arquivo.texto(QStringLiteral("Diretorio")),
                                                        arquivo.texto(QStringLiteral("Arquivo")));
        const QString banco = bolix::lerConfiguracao(caminhoConfiguracao()).banco;
        for (const bolix::Ocorrencia &lida : bolix::leRetorno240(caminho, banco))
            if (lida.pagamento())
                preencheOcorrencia(*ocorrencias().adiciona(), lida);
    });
}

} // namespace bolix::objeto
