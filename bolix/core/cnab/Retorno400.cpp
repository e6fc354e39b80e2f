// CNAB 400 cobrança returns: header, one type 1 per title, trailer; what differs by bank is its rule's.

#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/LeituraRetorno.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/core/pix/PixRetorno.h"

#include <QHash>

#include <algorithm>
#include <optional>
#include <utility>

namespace bolix {

namespace {

// This file's count and face value of the details of some occurrence codes.
struct Contagem {
    std::int64_t registros = 0;
    std::int64_t centavos = 0;
};

class LeitorRetorno400 : LeituraRetorno {
public:
    LeitorRetorno400(const QString &nome, const RegraBanco &regra, const ContaConfigurada *conta)
        : LeituraRetorno(nome), regra_(regra), leiaute_(*regra.leiaute400()),
          banco_(regra.codigo().toLatin1()), conta_(conta),
          configuracao_(conta ? conta->configuracao : ConfiguracaoBolix{}),
          detalhe_(conta ? regra.contaDoDetalhe400(*conta) : ContaDoRetorno{}) {}

    QList<Ocorrencia> le(const QByteArray &conteudo, QStringList *avisos) {
        percorre(conteudo, 400);
        if (avisos)
            *avisos = std::move(avisos_);
        return std::move(ocorrencias_);
    }

private:
    // The title read last, until the record after it (a copy: the line it was read from does not last).
    struct Titulo {
        Ocorrencia ocorrencia;
        Valores400 valores;
        qsizetype linha;
        QByteArray registro;
        bool comPix;
    };

    bool registro() override {
        soOTipo_ = false;
        if (linha_.size() != 400)
            recusa(QStringLiteral("tamanho %1, esperado 400").arg(linha_.size()));
        const char tipo = linha_[0];
        if (numeroLinha_ == 1 && tipo != '0')
            recusaCampo(QStringLiteral("tipo de registro"), 1, 1, QStringLiteral("no lugar do header (0)"));
        // A lost, doubled or moved record shows here.
        confere(QStringLiteral("número sequencial do registro"), 395, 400, numeroLinha_,
                QStringLiteral("esperado %1").arg(numeroLinha_));
        if (tipo == '0') {
            header();
            return false;
        }
        if (tipo == '9') {
            fechaTitulo();
            trailer();
            return true;
        }
        if (tipo == leiaute_.tipoDetalhe) {
            fechaTitulo();
            detalhe();
        } else if (leiaute_.tipoPix && tipo == leiaute_.tipoPix) {
            registroPix();
        } else {
            recusaCampo(QStringLiteral("tipo de registro"), 1, 1, QStringLiteral("desconhecido num retorno"));
        }
        return false;
    }

    void confereBanco(int inicio) const {
        const QByteArrayView banco = trecho(inicio, inicio + 2);
        if (banco != banco_ && (leiaute_.outroCodigo.isEmpty() || banco != leiaute_.outroCodigo))
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
        // A bank that repeats the account in each detail may leave the header's blank or at zero.
        if (conta_)
            confereConta(regra_.contaDoRetorno400(*conta_), QString::fromLatin1(banco_), detalhe_.isEmpty());
    }

    // A record that is not a payment is read for its kind only. A paid title without a document number
    // is handed over with its nosso número, as the CNAB 240 reader does. The title is handed over once the
    // next record shows whether a Pix record completes it.
    void detalhe() {
        Titulo t{{}, {}, numeroLinha_, linha_.toByteArray(), false};
        Ocorrencia &o = t.ocorrencia;
        o.codigoMovimento =
            QString::number(numero(QStringLiteral("código de ocorrência"), 109, 110)).rightJustified(2, u'0');
        o.motivos = texto(leiaute_.motivos.inicio, leiaute_.motivos.fim);
        o.pago = pagoPeloCodigo(o) && !provisorio(o.motivos);
        leValores(t);
        if (conta_ && !detalhe_.isEmpty())
            confereConta(detalhe_, QString::fromLatin1(banco_));
        anotaSituacaoPix(o, leiaute_.motivosPix, leiaute_.larguraMotivo);
        anotaBaixa(o, leiaute_.baixas, leiaute_.orientacaoBaixa);
        conta(o);
        titulo_ = t;
    }

    // The fields of the current title's record: strictly for a payment, for its kind only otherwise.
    void leValores(Titulo &t) {
        Ocorrencia &o = t.ocorrencia;
        Valores400 &v = t.valores;
        soOTipo_ = !o.pago;
        o.identificacaoTitulo = texto(leiaute_.identificacaoTitulo.inicio, leiaute_.identificacaoTitulo.fim);
        o.nossoNumero = texto(leiaute_.nossoNumero.inicio, leiaute_.nossoNumero.fim);
        o.numeroDocumento = texto(117, 126);
        o.dataVencimento = dataCurta(QStringLiteral("data de vencimento"), 147);
        o.valorTitulo = dinheiro(QStringLiteral("valor do título"), 153, 165);
        v.titulo = o.valorTitulo;
        v.tarifa =
            dinheiro(QStringLiteral("despesas de cobrança"), leiaute_.tarifa.inicio, leiaute_.tarifa.fim);
        v.outrasDespesas = dinheiro(QStringLiteral("outras despesas"), 189, 201);
        if (leiaute_.abatimento)
            v.abatimento =
                dinheiro(QStringLiteral("abatimento"), leiaute_.abatimento->inicio, leiaute_.abatimento->fim);
        v.desconto = dinheiro(QStringLiteral("desconto"), leiaute_.desconto.inicio, leiaute_.desconto.fim);
        v.recebido = dinheiro(QStringLiteral("valor pago"), 254, 266);
        v.juros = dinheiro(QStringLiteral("juros de mora"), 267, 279);
        v.outros = dinheiro(QStringLiteral("outros recebimentos"), 280, 292);
        o.valorTarifa = v.tarifa;
        o.valorDesconto = v.desconto;
        o.valorJuros = v.juros;
        const QString credito = QStringLiteral("data do crédito");
        o.dataCredito = leiaute_.creditoAnoMesDia ? dataAnoMesDia(credito, leiaute_.dataCredito)
                                                  : dataCurta(credito, leiaute_.dataCredito);
        o.valorLiquido = leiaute_.creditoLiquido ? v.recebido : std::max<Dinheiro>(0, v.recebido - v.tarifa);
        o.dataOcorrencia = dataCurta(QStringLiteral("data da ocorrência"), 111);
    }

    bool pagoPeloCodigo(const Ocorrencia &o) const {
        return leiaute_.pagos.contains(o.codigoMovimento) ||
               pagoPorMotivo(leiaute_.pagosPorMotivo, o.codigoMovimento,
                             motivosDoRetorno(o.motivos, leiaute_.larguraMotivo));
    }

    bool provisorio(const QString &motivos) const {
        for (const QString &motivo : motivosDoRetorno(motivos, 2))
            if (leiaute_.motivosProvisorios.contains(motivo))
                return true;
        return false;
    }

    // The Pix record completes the title before it; one with no title before it is out of place. When the
    // title's reasons say the bank refused the Pix, no QR of the record is kept.
    void registroPix() {
        if (!titulo_)
            recusaCampo(QStringLiteral("tipo de registro"), 1, 1,
                        QStringLiteral("(QR Code Pix) sem o título (registro %1) que o precede")
                            .arg(QLatin1Char(leiaute_.tipoDetalhe)));
        if (titulo_->comPix)
            recusaCampo(
                QStringLiteral("tipo de registro"), 1, 1,
                QStringLiteral("(QR Code Pix) repetido para o título da linha %1").arg(titulo_->linha));
        titulo_->comPix = true;
        ++registrosPix_;
        Ocorrencia &o = titulo_->ocorrencia;
        const bool recusadoPeloBanco = o.pixRecusado;
        regra_.lePix400(linha_, o, configuracao_);
        if (recusadoPeloBanco && !o.pixCopiaECola.isEmpty())
            recusaPix(o, QStringLiteral("QR Code Pix da linha %1 descartado: o banco recusou o Pix do título")
                             .arg(numeroLinha_));
    }

    // Hands the title over, on the title's line: the amount paid and the dates of a payment; each payment
    // once.
    void fechaTitulo() {
        if (!titulo_)
            return;
        const qsizetype linha = std::exchange(numeroLinha_, titulo_->linha);
        const QByteArrayView registro = std::exchange(linha_, titulo_->registro);
        Ocorrencia &o = titulo_->ocorrencia;
        o.valorPago =
            o.pago ? regra_.valorPago400(titulo_->valores, configuracao_) : titulo_->valores.recebido;
        if (o.pago) {
            confereValorPago(o);
            completaDatas(o);
        }
        if (leiaute_.dataPeloCredito && o.pago)
            o.dataOcorrencia = o.dataCredito;
        if (!o.pago || pagamentoNovo(o))
            ocorrencias_.append(o);
        numeroLinha_ = linha;
        linha_ = registro;
        soOTipo_ = false;
        titulo_.reset();
    }

    // A payment through the Pix QR that the bank reports by a reason may leave the amount paid at zero; the
    // QR takes only the title's value, and settling zero would leave a paid title open. An amount below
    // zero (a contract's rule that subtracts the discount from the amount received) settles nothing.
    void confereValorPago(Ocorrencia &o) {
        if (o.valorPago == 0 && !leiaute_.pagos.contains(o.codigoMovimento))
            o.valorPago = o.valorTitulo;
        if (o.valorPago >= 0)
            return;
        const Valores400 &v = titulo_->valores;
        const auto reais = [](Dinheiro valor) {
            return QStringLiteral("R$ ") +
                   QString::number(double(valor) / 10'000, 'f', 2).replace(u'.', u',');
        };
        const auto campo = [&reais](const QString &nome, Faixa f, Dinheiro valor) {
            return QStringLiteral("%1 (posições %2 a %3) %4")
                .arg(nome)
                .arg(f.inicio)
                .arg(f.fim)
                .arg(reais(valor));
        };
        QStringList campos{campo(QStringLiteral("valor pago"), {254, 266}, v.recebido),
                           campo(QStringLiteral("desconto"), leiaute_.desconto, v.desconto)};
        if (leiaute_.abatimento)
            campos.append(campo(QStringLiteral("abatimento"), *leiaute_.abatimento, v.abatimento));
        recusa(QStringLiteral("valor pago do %1 abaixo de zero, %2, pela regra do banco sobre os campos %3; "
                              "nada do arquivo foi baixado")
                   .arg(nomeDoTitulo(o), reais(o.valorPago), campos.join(QStringLiteral(", "))));
    }

    void conta(const Ocorrencia &o) {
        // Capped above any trailer's figure, so that a huge file cannot overflow.
        const auto soma = [&o](Contagem &c) {
            ++c.registros;
            c.centavos = std::min(c.centavos + o.valorTitulo / 100, tetoCentavos);
        };
        soma(porCodigo_[o.codigoMovimento]);
        soma(todos_);
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
            recusa(QStringLiteral("pagamento do %1 já informado na linha %2")
                       .arg(nomeDoTitulo(o))
                       .arg(anterior->linha));
        return false;
    }

    // Only the figures the bank's manual defines as this file's are compared, one left blank or at zero is
    // not given, and one that disagrees is reported: what such a total takes in is not certain enough to
    // refuse a file whose records are intact.
    void trailer() {
        const QByteArray &identificacao = leiaute_.identificacaoTrailer;
        if (trecho(2, 1 + int(identificacao.size())) != identificacao)
            recusaCampo(QStringLiteral("identificação do trailer"), 2, 1 + int(identificacao.size()),
                        QStringLiteral("não indica um retorno"));
        if (leiaute_.bancoNoTrailer > 0)
            confereBanco(leiaute_.bancoNoTrailer);
        for (const TotalDoTrailer400 &t : leiaute_.totais) {
            const Contagem arquivo = contagem(t.ocorrencias);
            const QString quantidade = QStringLiteral("quantidade de %1").arg(t.descricao);
            const auto registros = informado(quantidade, t.quantidade);
            // Whether a count of every detail takes in the Pix records is not said: either is taken.
            const bool comPix = t.ocorrencias.isEmpty() && registros == arquivo.registros + registrosPix_;
            if (registros && *registros != arquivo.registros && !comPix)
                avisaTotal(quantidade, t.quantidade,
                           QStringLiteral("o arquivo tem %1").arg(arquivo.registros));
            if (!t.valor)
                continue;
            const QString valor = QStringLiteral("valor de %1").arg(t.descricao);
            const auto centavos = informado(valor, *t.valor);
            if (centavos && *centavos != arquivo.centavos)
                avisaTotal(valor, *t.valor,
                           QStringLiteral("os títulos somam %1 centavos").arg(arquivo.centavos));
        }
    }

    void avisaTotal(const QString &campo, Faixa f, const QString &arquivo) {
        avisa(QStringLiteral("campo %1 do trailer (posições %2 a %3) com \"%4\" não confere: %5; o arquivo "
                             "foi lido assim mesmo")
                  .arg(campo)
                  .arg(f.inicio)
                  .arg(f.fim)
                  .arg(QString::fromLatin1(trecho(f.inicio, f.fim)), arquivo));
    }

    Contagem contagem(const QStringList &ocorrencias) const {
        if (ocorrencias.isEmpty())
            return todos_;
        Contagem c;
        for (const QString &codigo : ocorrencias) {
            const Contagem deste = porCodigo_.value(codigo);
            c.registros += deste.registros;
            c.centavos += deste.centavos;
        }
        return c;
    }

    struct Pagamento {
        qsizetype linha;
        Ocorrencia ocorrencia;
    };
    static constexpr std::int64_t tetoCentavos = 1'000'000'000'000'000'000;

    const RegraBanco &regra_;
    const Leiaute400 &leiaute_;
    QByteArray banco_;
    const ContaConfigurada *conta_;
    ConfiguracaoBolix configuracao_;
    ContaDoRetorno detalhe_;
    QHash<QString, Contagem> porCodigo_;
    Contagem todos_;
    std::int64_t registrosPix_ = 0;
    QHash<QString, Pagamento> pagamentos_;
    std::optional<Titulo> titulo_;
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
                        const ContaConfigurada *conta, QStringList *avisos) {
    const RegraBanco &regra = regraDoBanco(banco);
    if (!regra.leiaute400())
        throw ErroBolix(QStringLiteral("Arquivo de retorno %1 está no leiaute CNAB 400 (registros de 400 "
                                       "posições): o leiaute CNAB 400 não está disponível para o banco %2 "
                                       "neste componente. Peça ao banco o retorno em CNAB 240, o leiaute "
                                       "que o componente lê para este banco (layout=CNAB240 no %3).")
                            .arg(nome, banco, QString::fromLatin1(nomeArquivoConfiguracao)));
    return LeitorRetorno400(nome, regra, conta).le(conteudo, avisos);
}

} // namespace

QList<Ocorrencia> leRetorno400(const QByteArray &conteudo, const QString &nome, QStringView banco,
                               QStringList *avisos) {
    return le400(conteudo, nome, banco, nullptr, avisos);
}

QList<Ocorrencia> leRetornoCobranca(const QString &caminho, const ContaConfigurada &conta,
                                    QStringList *avisos) {
    const QByteArray conteudo = conteudoDoRetorno(caminho);
    if (tamanhoDoPrimeiroRegistro(conteudo) == 400)
        return le400(conteudo, caminho, conta.configuracao.banco, &conta, avisos);
    return leRetorno240(conteudo, caminho, conta, avisos);
}

} // namespace bolix
