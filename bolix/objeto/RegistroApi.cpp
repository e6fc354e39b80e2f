#include "bolix/api/BancoDoBrasilApi.h"
#include "bolix/api/Credenciais.h"
#include "bolix/api/RegistroEmLote.h"
#include "bolix/objeto/Conversao.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace bolix::objeto {

namespace {

// Beside the settings, where only the installation's administrators write.
QString caminhoDiario() {
    return QFileInfo(caminhoConfiguracao()).dir().filePath(QStringLiteral("registros_api.jsonl"));
}

bolix::ContaConfigurada contaDaApi(const ContaCorrente &objeto) {
    bolix::Conta conta = contaDe(objeto);
    return bolix::configuraConta(conta, bolix::lerConfiguracao(caminhoConfiguracao()));
}

// One line per boleto of an earlier run that was finished now. The bank's QR of each registered one goes
// to the Pix collection, for the program to keep as it keeps a run's.
QString entregaConcluidos(const QList<bolix::api::RegistroDoDocumento> &concluidos, PixCobrancas &pix) {
    pix.limpa();
    if (concluidos.isEmpty())
        return {};
    for (const auto &r : concluidos) {
        if (r.resultado.situacao != bolix::api::ResultadoRegistro::Situacao::Registrado ||
            r.resultado.boleto.pixCopiaECola.isEmpty())
            continue;
        bolix::Ocorrencia oc;
        oc.numeroDocumento = r.numeroDocumento;
        oc.nossoNumero = r.nossoNumero;
        oc.pixCopiaECola = r.resultado.boleto.pixCopiaECola;
        oc.pixSituacao = QStringLiteral("Registrado pela API do banco");
        preenchePix(*pix.adiciona(), oc);
    }
    QStringList linhas{QStringLiteral("Registros de uma geração interrompida, concluídos agora:")};
    for (const auto &r : concluidos)
        linhas << bolix::api::textoDoRegistro(r);
    return linhas.join(u'\r');
}

// The caller's progress object, told by name; what it does with the news is its own affair, and a
// failure there does not stop the registrations.
class AvisoDeProgresso {
public:
    explicit AvisoDeProgresso(const Variant &objeto)
        : objeto_(objeto.type() == Variant::Type::Object ? objeto.toObject() : nullptr) {}

    void avanca(qsizetype feitas, qsizetype total) const { avisa(QStringLiteral("Avanca"), {feitas, total}); }
    void aguardaBanco(int segundos) const { avisa(QStringLiteral("AguardaBanco"), {segundos}); }

private:
    void avisa(const QString &membro, const QList<Variant> &args) const {
        if (!objeto_)
            return;
        try {
            objeto_->call(membro, args);
        } catch (const automation::AutomationError &) {
        }
    }
    automation::DispatchPtr objeto_;
};

} // namespace

bool ContaCorrente::registroApi() const {
    return comErroDeAutomacao([] { return bolix::lerConfiguracao(caminhoConfiguracao()).registroApi; });
}

// Read at start-up. A settings file the component cannot read is told by the run that needs it; with
// registro=API a certificate that cannot be loaded is named here already.
QString ContaCorrente::avisoCertificado() const {
    bolix::ConfiguracaoBolix c;
    try {
        c = bolix::lerConfiguracao(caminhoConfiguracao());
    } catch (const bolix::ErroBolix &) {
        return {};
    }
    if (!c.registroApi)
        return {};
    try {
        return bolix::api::avisoValidadeCertificado(bolix::api::configuracaoTls(c.api),
                                                    QDateTime::currentDateTime());
    } catch (const bolix::ErroBolix &e) {
        return e.texto();
    }
}

// What an earlier run left half done first, then this run's documents. Each document learns whether the
// bank holds it and, registered, carries the bank's Pix QR.
QString ContaCorrente::registraBoletos(const Variant &progresso) {
    return comErroDeAutomacao([&] {
        const AvisoDeProgresso aviso(progresso);
        bolix::api::BancoDoBrasilApi api(contaDaApi(*this));
        api.cliente().aoAguardarBanco = [&aviso](int segundos) { aviso.aguardaBanco(segundos); };
        bolix::api::DiarioRegistros diario(caminhoDiario());
        QStringList linhas;
        const QString anteriores = entregaConcluidos(bolix::api::concluiPendentes(api, diario), pix());
        if (!anteriores.isEmpty())
            linhas << anteriores;
        QList<bolix::Documento> docs;
        for (const auto &doc : documentos().itens())
            docs.append(documentoDe(*doc));
        qsizetype feitas = 0;
        aviso.avanca(0, docs.size());
        const auto resultados = bolix::api::registraDocumentos(api, diario, docs, QDate::currentDate(),
                                                               [&] { aviso.avanca(++feitas, docs.size()); });
        for (qsizetype i = 0; i < resultados.size(); ++i) {
            const auto &r = resultados[i].resultado;
            DocumentoCobranca &doc = *documentos().itens()[i];
            const bool registrado = r.situacao == bolix::api::ResultadoRegistro::Situacao::Registrado;
            doc.set(QStringLiteral("RegistradoNoBanco"), registrado);
            doc.set(QStringLiteral("RegistroBanco"), bolix::api::textoDoRegistro(resultados[i]));
            if (registrado)
                doc.set(QStringLiteral("PixCopiaECola"), r.boleto.pixCopiaECola);
            if (!registrado || !r.boleto.falhaPix.isEmpty())
                linhas << bolix::api::textoDoRegistro(resultados[i]);
        }
        return linhas.join(u'\r');
    });
}

QString ContaCorrente::carregaLiquidacoesApi(const QString &dataInicial) {
    return comErroDeAutomacao([&] {
        const QDate inicio = QDate::fromString(dataInicial, QStringLiteral("dd/MM/yyyy"));
        const QDate hoje = QDate::currentDate();
        if (!inicio.isValid() || inicio > hoje)
            throw bolix::ErroBolix(bolix::textoInvalido(QStringLiteral("Data inicial"), dataInicial,
                                                        QStringLiteral("informe uma data até hoje")));
        bolix::api::BancoDoBrasilApi api(contaDaApi(*this));
        QStringList anunciados;
        pix().limpa();
        for (const bolix::api::PagamentoNoBanco &p : api.liquidados(inicio, hoje)) {
            if (p.pendente) {
                anunciados
                    << QStringLiteral("Nosso número %1: %2, ainda sem crédito").arg(p.numero, p.anuncio);
                continue;
            }
            bolix::Ocorrencia oc;
            oc.numeroDocumento = p.seuNumero;
            oc.nossoNumero = p.numero;
            oc.codigoMovimento = QStringLiteral("06");
            oc.dataOcorrencia = p.dataPagamento.isValid() ? p.dataPagamento : p.dataCredito;
            oc.dataCredito = p.dataCredito;
            oc.valorTitulo = p.valorTitulo;
            oc.valorPago = p.valorPago;
            preencheOcorrencia(*ocorrencias().adiciona(), oc);
        }
        return anunciados.join(u'\r');
    });
}

// At start-up the account is not set up yet: the journal's requests carry the convênio they went out with.
QString ContaCorrente::concluiRegistros() {
    return comErroDeAutomacao([this] {
        bolix::api::DiarioRegistros diario(caminhoDiario());
        const auto pendentes = diario.pendentes();
        if (pendentes.isEmpty()) {
            pix().limpa();
            return QString();
        }
        bolix::ContaConfigurada conta;
        conta.configuracao = bolix::lerConfiguracao(caminhoConfiguracao());
        conta.cedente = bolix::api::convenioDoPedido(pendentes.first().pedido);
        bolix::api::BancoDoBrasilApi api(conta);
        return entregaConcluidos(bolix::api::concluiPendentes(api, diario), pix());
    });
}

} // namespace bolix::objeto
