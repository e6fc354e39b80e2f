// CNAB 400 cobrança returns of Bradesco (237) and Itaú (341): header, one type 1 per title, trailer.

#include "Configuracao.h"
#include "LeituraRetorno.h"
#include "Retorno.h"

#include <QHash>

#include <algorithm>

namespace bolix {

namespace {

// Where the two banks' type 1 records differ.
struct Leiaute400 {
    int nossoNumeroInicio, nossoNumeroFim; // as CNAB 240 carries it, with its check digit
    int motivosInicio, motivosFim;
    QList<QStringView> liquidacoes;
    bool creditoLiquido;  // 254-266 is the credit, net of the fee
    bool dataPeloCredito; // the occurrence date handed over is the credit date
};

const Leiaute400 bradesco{71, 82, 319, 328, {u"06", u"15", u"16", u"17"}, false, false};
const Leiaute400 itau{83, 94, 378, 385, {u"06", u"07", u"08", u"10"}, true, true};

class LeitorRetorno400 : LeituraRetorno {
public:
    LeitorRetorno400(const QString &nome, QStringView banco, const ContaConfigurada *conta)
        : LeituraRetorno(nome), leiaute_(banco == u"341" ? itau : bradesco), banco_(banco.toLatin1()),
          conta_(conta) {}

    QList<Ocorrencia> le(const QByteArray &conteudo) {
        percorre(conteudo, 400);
        return std::move(ocorrencias_);
    }

private:
    bool registro() override {
        if (linha_.size() != 400)
            recusa(QStringLiteral("tamanho %1, esperado 400").arg(linha_.size()));
        const char tipo = linha_[0];
        if (numeroLinha_ == 1 && tipo != '0')
            recusaCampo(QStringLiteral("tipo de registro"), 1, 1, QStringLiteral("no lugar do header (0)"));
        // A lost, doubled or moved record shows here.
        confere(QStringLiteral("número sequencial do registro"), 395, 400, numeroLinha_,
                QStringLiteral("esperado %1").arg(numeroLinha_));
        switch (tipo) {
        case '0':
            header();
            return false;
        case '1':
            detalhe();
            return false;
        case '9':
            trailer();
            return true;
        default:
            recusaCampo(QStringLiteral("tipo de registro"), 1, 1, QStringLiteral("desconhecido num retorno"));
        }
    }

    void confereBanco(int inicio) const {
        if (trecho(inicio, inicio + 2) != banco_)
            recusaCampo(QStringLiteral("banco"), inicio, inicio + 2,
                        QStringLiteral("diferente do banco da conta, %1").arg(QString::fromLatin1(banco_)));
    }

    void header() const {
        if (numeroLinha_ != 1)
            recusa(QStringLiteral("header fora da primeira linha"));
        if (trecho(2, 9) != "2RETORNO")
            recusaCampo(QStringLiteral("identificação do arquivo"), 2, 9,
                        QStringLiteral("não indica um retorno"));
        confereBanco(77);
        if (conta_)
            confereConta(*conta_);
    }

    // Bradesco names the company by its code (027-046), Itaú by agência (027-030) and conta (033-037).
    void confereConta(const ContaConfigurada &conta) const {
        const ContaDoArquivo240 esperada = contaDoArquivo240(conta);
        const ContaDoArquivo240 lida = banco_ == "341" ? ContaDoArquivo240{texto(27, 30), texto(33, 37), {}}
                                                       : ContaDoArquivo240{{}, {}, texto(27, 46)};
        confereContaDoArquivo(lida, esperada, QString::fromLatin1(banco_));
    }

    void detalhe() {
        Ocorrencia o;
        o.codigoMovimento =
            QString::number(numero(QStringLiteral("código de ocorrência"), 109, 110)).rightJustified(2, u'0');
        o.pago = leiaute_.liquidacoes.contains(QStringView(o.codigoMovimento));
        o.identificacaoTitulo = texto(38, 62);
        o.nossoNumero = texto(leiaute_.nossoNumeroInicio, leiaute_.nossoNumeroFim);
        o.numeroDocumento = texto(117, 126);
        if (o.numeroDocumento.isEmpty())
            recusaCampo(QStringLiteral("número do documento"), 117, 126, QStringLiteral("vazio"));
        o.dataVencimento = dataCurta(QStringLiteral("data de vencimento"), 147);
        const std::int64_t centavos = numero(QStringLiteral("valor do título"), 153, 165);
        o.valorTitulo = centavos * 100;
        o.valorTarifa = dinheiro(QStringLiteral("despesas de cobrança"), 176, 188);
        o.valorDesconto = dinheiro(QStringLiteral("desconto"), 241, 253);
        const Dinheiro valor254 = dinheiro(QStringLiteral("valor pago"), 254, 266);
        o.valorJuros = dinheiro(QStringLiteral("juros de mora"), 267, 279);
        o.dataCredito = dataCurta(QStringLiteral("data do crédito"), 296);
        o.motivos = texto(leiaute_.motivosInicio, leiaute_.motivosFim);
        // What the bank took is part of what the payer paid.
        o.valorPago = leiaute_.creditoLiquido && o.pago ? valor254 + o.valorTarifa : valor254;
        o.valorLiquido = leiaute_.creditoLiquido ? valor254 : std::max<Dinheiro>(0, valor254 - o.valorTarifa);
        o.dataOcorrencia = dataCurta(QStringLiteral("data da ocorrência"), 111);
        if (leiaute_.dataPeloCredito && o.pago && !o.dataCredito.isNull())
            o.dataOcorrencia = o.dataCredito;
        ++titulos_;
        centavos_ = std::min(centavos_ + centavos, tetoCentavos);
        if (!o.pago || pagamentoNovo(o))
            ocorrencias_.append(o);
    }

    // A title paid twice in one file would be settled twice; the same payment under a second code (Itaú's
    // 06 and 10) is the one payment, handed over once.
    bool pagamentoNovo(const Ocorrencia &o) {
        const QString chave = o.nossoNumero + u'\n' + o.numeroDocumento;
        const auto anterior = pagamentos_.constFind(chave);
        if (anterior == pagamentos_.cend()) {
            pagamentos_.insert(chave, {numeroLinha_, o});
            return true;
        }
        const Ocorrencia &antes = anterior->ocorrencia;
        if (antes.codigoMovimento == o.codigoMovimento || antes.dataOcorrencia != o.dataOcorrencia ||
            antes.valorPago != o.valorPago)
            recusa(QStringLiteral("pagamento do título %1 (nosso número %2) já informado na linha %3")
                       .arg(o.numeroDocumento, o.nossoNumero)
                       .arg(anterior->linha));
        return false;
    }

    // Zeros in the count or the total are read as not given.
    void trailer() const {
        if (trecho(2, 4) != "201")
            recusaCampo(QStringLiteral("identificação do trailer"), 2, 4,
                        QStringLiteral("não indica um retorno"));
        confereBanco(5);
        const std::int64_t titulos = numero(QStringLiteral("quantidade de títulos"), 18, 25);
        if (titulos != 0 && titulos != titulos_)
            recusaCampo(QStringLiteral("quantidade de títulos"), 18, 25,
                        QStringLiteral("não confere: o arquivo tem %1").arg(titulos_));
        const std::int64_t centavos = numero(QStringLiteral("valor dos títulos"), 26, 39);
        if (centavos != 0 && centavos != centavos_)
            recusaCampo(QStringLiteral("valor dos títulos"), 26, 39,
                        QStringLiteral("não confere: os títulos somam %1 centavos").arg(centavos_));
    }

    struct Pagamento {
        qsizetype linha;
        Ocorrencia ocorrencia;
    };
    static constexpr std::int64_t tetoCentavos = 1'000'000'000'000'000'000;

    const Leiaute400 &leiaute_;
    QByteArray banco_;
    const ContaConfigurada *conta_;
    int titulos_ = 0;
    std::int64_t centavos_ = 0;
    QHash<QString, Pagamento> pagamentos_;
    QList<Ocorrencia> ocorrencias_;
};

// The length of the first record, without its line end.
qsizetype tamanhoDoPrimeiroRegistro(const QByteArray &conteudo) {
    qsizetype fim = conteudo.indexOf('\n');
    if (fim < 0)
        fim = conteudo.size();
    return fim > 0 && conteudo[fim - 1] == '\r' ? fim - 1 : fim;
}

QList<Ocorrencia> le400(const QByteArray &conteudo, const QString &nome, QStringView banco,
                        const ContaConfigurada *conta) {
    if (!temCnab400(banco))
        throw ErroBolix(QStringLiteral("Arquivo de retorno %1: o leiaute CNAB 400 não está disponível para o "
                                       "banco %2.")
                            .arg(nome, banco));
    return LeitorRetorno400(nome, banco, conta).le(conteudo);
}

} // namespace

QList<Ocorrencia> leRetorno400(const QByteArray &conteudo, const QString &nome, QStringView banco) {
    return le400(conteudo, nome, banco, nullptr);
}

QList<Ocorrencia> leRetornoCobranca(const QString &caminho, const ContaConfigurada &conta) {
    const QByteArray conteudo = conteudoDoRetorno(caminho);
    if (tamanhoDoPrimeiroRegistro(conteudo) == 400)
        return le400(conteudo, caminho, conta.configuracao.banco, &conta);
    return leRetorno240(conteudo, caminho, conta);
}

} // namespace bolix
