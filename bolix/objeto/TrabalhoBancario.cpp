#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/impresso/ImpressaoBoletos.h"
#include "bolix/objeto/Conversao.h"

#include <QDateTime>
#include <algorithm>

namespace bolix::objeto {

namespace {

// Each call configures the account afresh from the members and the settings file, so the files
// always follow what the caller set last.
bolix::ContaConfigurada contaConfigurada(const ContaCorrente &objeto) {
    bolix::Conta conta = contaDe(objeto);
    return bolix::configuraConta(conta, bolix::lerConfiguracao(caminhoConfiguracao()));
}

QList<bolix::Documento> documentosDe(const ContaCorrente &objeto) {
    QList<bolix::Documento> docs;
    for (const auto &doc : objeto.documentos().itens())
        docs.append(documentoDe(*doc));
    return docs;
}

} // namespace

QString ContaCorrente::numeroBanco() const {
    return comErroDeAutomacao([] { return bolix::lerConfiguracao(caminhoConfiguracao()).banco; });
}

void ContaCorrente::configuraContaCorrente() {
    configurada_->reset();
    comErroDeAutomacao([this] {
        bolix::Conta conta = contaDe(*this);
        bolix::ContaConfigurada configurada =
            bolix::configuraConta(conta, bolix::lerConfiguracao(caminhoConfiguracao()));
        devolveConta(*this, conta);
        *configurada_ = std::move(configurada);
    });
}

// By the remittance's own rule, as soon as the number is given: a caller that records the document
// elsewhere must not believe it will be written. Only once the account is configured, and not for the
// direct-debit layout, which carries no nosso número.
DocumentoCobranca::ConfereNossoNumero ContaCorrente::confereNossoNumero() const {
    return [configurada = configurada_, remessa = remessa_](const DocumentoCobranca &doc,
                                                            const QString &nossoNumero) {
        if (!configurada->has_value() || nossoNumero.trimmed().isEmpty() ||
            bolix::ehLayoutDebito(remessa->texto(QStringLiteral("Layout"))))
            return;
        bolix::Documento d;
        d.numeroDocumento = doc.texto(QStringLiteral("NumeroDocumento"));
        d.nossoNumero = nossoNumero;
        comErroDeAutomacao([&] { bolix::nossoNumeroDoDocumento(**configurada, d); });
    };
}

// By the configured account, as the boleto would print it; a number the account refuses is refused here too,
// as when it was given.
DocumentoCobranca::NossoNumeroImpresso ContaCorrente::nossoNumeroImpresso() const {
    return [configurada = configurada_](const DocumentoCobranca &doc) {
        if (!configurada->has_value() || doc.texto(QStringLiteral("NossoNumero")).trimmed().isEmpty())
            return QString();
        return comErroDeAutomacao(
            [&] { return bolix::nossoNumeroDoDocumento(**configurada, documentoDe(doc)).impresso; });
    };
}

// The batch's PDF goes into the settings' folder, or else beside the remittance file. An empty list
// prints nothing, even before the account is set up.
QString ContaCorrente::imprimeBoletos(bool segundaVia, const QString &arquivo) {
    return comErroDeAutomacao([&] {
        if (documentos().itens().isEmpty())
            return QString();
        const bolix::ContaConfigurada conta = contaConfigurada(*this);
        // Through the API a first print carries only what the bank registered as printed.
        const bool soRegistrados = conta.configuracao.registroApi && !segundaVia;
        QList<bolix::Documento> docs;
        for (const auto &doc : documentos().itens())
            if (!soRegistrados || doc->booleano(QStringLiteral("RegistradoNoBanco")))
                docs.append(documentoDe(*doc));
        if (docs.isEmpty())
            return QString();
        const PadroesBoletoImpresso &impresso = padroesBoleto().impresso();
        bolix::OpcoesImpressao opcoes;
        opcoes.pasta = conta.configuracao.pastaPdf.isEmpty()
                           ? arquivoRemessa().texto(QStringLiteral("Diretorio"))
                           : conta.configuracao.pastaPdf;
        opcoes.impressora = conta.configuracao.imprimir;
        opcoes.arquivoLogotipo = impresso.texto(QStringLiteral("ArquivoLogotipo"));
        if (impresso.definido(QStringLiteral("MargemSuperior")))
            opcoes.margemSuperior = static_cast<int>(
                std::clamp<std::int64_t>(impresso.inteiro(QStringLiteral("MargemSuperior")), 0, 1000));
        opcoes.segundaVia = segundaVia;
        opcoes.arquivo = arquivo;
        return bolix::imprimeBoletos(conta, docs, opcoes, QDate::currentDate());
    });
}

QString ContaCorrente::gravaArquivoRemessa() {
    return comErroDeAutomacao([this] {
        return QStringLiteral(": ") + bolix::gravaArquivoRemessa(contaConfigurada(*this), documentosDe(*this),
                                                                 destinoDe(arquivoRemessa()),
                                                                 QDateTime::currentDateTime());
    });
}

// The account and the settings are checked too: they fail the file as much as a missing code does.
QString ContaCorrente::recusaArquivoRemessa() const {
    QStringList recusa;
    bolix::anotaRecusa(
        recusa, [this] { bolix::confereRemessa(contaConfigurada(*this), destinoDe(arquivoRemessa())); });
    return recusa.join(u'\n');
}

// Only payments become occurrences: the caller settles every occurrence by its paid amount. The Pix
// news of any record, the titles the bank wrote off unpaid and what the reading reported go apart.
void ContaCorrente::carregaArquivosRetorno() {
    comErroDeAutomacao([this] {
        const ArquivoRetorno &arquivo = arquivoRetorno();
        const QString layout = arquivo.texto(QStringLiteral("Layout")).trimmed();
        if (!layout.isEmpty() && layout.compare(u"FEBRABAN240", Qt::CaseInsensitive) != 0)
            throw bolix::ErroBolix(
                QStringLiteral("ArquivoRetorno.Layout \"%1\" não suportado: use FEBRABAN240.").arg(layout));
        const QString caminho = bolix::caminhoDoArquivo(arquivo.texto(QStringLiteral("Diretorio")),
                                                        arquivo.texto(QStringLiteral("Arquivo")));
        // The program always asks for FEBRABAN240: the records' length tells a CNAB 400 file.
        pix().limpa();
        baixas().limpa();
        avisos_.clear();
        QStringList avisos;
        for (const bolix::Ocorrencia &lida :
             bolix::leRetornoCobranca(caminho, contaConfigurada(*this), &avisos)) {
            if (lida.pagamento())
                preencheOcorrencia(*ocorrencias().adiciona(), lida);
            if (lida.temPix())
                preenchePix(*pix().adiciona(), lida);
            if (!lida.baixa.isEmpty())
                preencheBaixa(*baixas().adiciona(), lida);
        }
        avisos_ = std::move(avisos);
    });
}

} // namespace bolix::objeto
