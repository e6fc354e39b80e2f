#include "bolix/core/bancos/Bancos.h"
#include "bolix/core/cnab/LeituraRetorno.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/core/pix/PixRetorno.h"

#include <QHash>

#include <optional>

namespace bolix {

namespace {

class LeitorRetorno : LeituraRetorno {
public:
    LeitorRetorno(const QString &nome, QStringView banco, const ContaConfigurada *conta)
        : LeituraRetorno(nome), banco_(banco.toLatin1()), regra_(regraDoBanco(banco)),
          leiaute_(regra_.leiaute240()), conta_(conta) {}

    QList<Ocorrencia> le(const QByteArray &conteudo, QStringList *avisos) {
        percorre(conteudo, 240);
        if (avisos)
            *avisos = std::move(avisos_);
        return std::move(ocorrencias_);
    }

private:
    using LeituraRetorno::texto;
    QString texto(Faixa f) const { return texto(f.inicio, f.fim); }

    bool registro() override {
        soOTipo_ = false;
        if (linha_.size() != 240)
            recusa(QStringLiteral("tamanho %1, esperado 240").arg(linha_.size()));
        if (trecho(1, 3) != banco_)
            recusaCampo(QStringLiteral("banco"), 1, 3,
                        QStringLiteral("diferente do banco da conta, %1").arg(QString::fromLatin1(banco_)));
        const char tipo = linha_[7];
        if (numeroLinha_ == 1 && tipo != '0')
            recusaCampo(QStringLiteral("tipo de registro"), 8, 8,
                        QStringLiteral("no lugar do header de arquivo (0)"));
        switch (tipo) {
        case '0':
            headerArquivo();
            return false;
        case '1':
            headerLote();
            return false;
        case '3':
            detalhe();
            return false;
        case '5':
            trailerLote();
            return false;
        case '9':
            trailerArquivo();
            return true;
        default:
            recusaCampo(QStringLiteral("tipo de registro"), 8, 8, QStringLiteral("desconhecido"));
        }
    }

    void confereLote(std::int64_t esperado) const {
        confere(QStringLiteral("lote de serviço"), 4, 7, esperado,
                QStringLiteral("esperado %1").arg(esperado, 4, 10, QLatin1Char('0')));
    }

    void fechaPar() const {
        if (pendente_)
            recusa(QStringLiteral("segmento T sem o segmento U que o completa"));
    }

    void headerArquivo() {
        if (numeroLinha_ != 1)
            recusa(QStringLiteral("header de arquivo fora da primeira linha"));
        confereLote(0);
        if (linha_[142] != '2')
            recusaCampo(QStringLiteral("código remessa/retorno"), 143, 143,
                        QStringLiteral("não indica um retorno (2)"));
        if (conta_)
            confereConta(*conta_);
    }

    void confereConta(const ContaConfigurada &conta) const {
        LeituraRetorno::confereConta(regra_.contaDoRetorno240(conta), QString::fromLatin1(banco_));
    }

    // FEBRABAN numbers the lots 1, 2...; some banks give their single lot another number, kept in its
    // header, details and trailer alike. Lots follow each other in rising numbers.
    void headerLote() {
        if (lote_)
            recusa(QStringLiteral("header de lote com o lote %1 ainda aberto: falta o trailer de lote")
                       .arg(lote_->numero));
        const int numero = int(this->numero(QStringLiteral("lote de serviço"), 4, 7));
        if (numero <= ultimoLote_ || numero == 9999)
            recusaCampo(
                QStringLiteral("lote de serviço"), 4, 7,
                QStringLiteral("fora de ordem: esperado %1").arg(ultimoLote_ + 1, 4, 10, QLatin1Char('0')));
        lote_ = Lote{numero};
        ultimoLote_ = numero;
    }

    void detalhe() {
        if (!lote_)
            recusa(QStringLiteral("detalhe fora de um lote: falta o header de lote antes dele"));
        confereLote(lote_->numero);
        const char segmento = linha_[13];
        if (segmento == 'T') {
            fechaPar();
        } else if (segmento == 'U') {
            if (!pendente_)
                recusa(QStringLiteral("segmento U sem o segmento T que o precede"));
        } else {
            recusaCampo(QStringLiteral("segmento"), 14, 14, QStringLiteral("desconhecido num retorno"));
        }
        // A doubled or lost segment shows here, as the sequence restarts at 1 in each lot.
        confere(QStringLiteral("número sequencial do registro no lote"), 9, 13, lote_->detalhes + 1,
                QStringLiteral("esperado %1").arg(lote_->detalhes + 1));
        ++lote_->detalhes;
        if (segmento == 'T')
            segmentoT();
        else
            segmentoU();
    }

    // The lot's record count, with its header and trailer as FEBRABAN counts them or without them as
    // Santander does: the file trailer's count still catches a lost record. The titles and values of
    // 24-115 are the portfolio's ("títulos em cobrança", Santander's and FEBRABAN's reading), not this
    // file's, and are not compared.
    void trailerLote() {
        if (!lote_)
            recusa(QStringLiteral("trailer de lote sem o header de lote que o abre"));
        fechaPar();
        confereLote(lote_->numero);
        const std::int64_t registros = numero(QStringLiteral("quantidade de registros do lote"), 18, 23);
        if (registros != lote_->detalhes + 2 && registros != lote_->detalhes)
            recusaCampo(QStringLiteral("quantidade de registros do lote"), 18, 23,
                        QStringLiteral("não confere: o lote tem %1").arg(lote_->detalhes + 2));
        lote_.reset();
        ++lotes_;
    }

    // A bank that gives its single lot a number of its own (Santander's 9692) writes it in the file
    // trailer too.
    void trailerArquivo() {
        if (lote_)
            recusa(QStringLiteral("trailer de arquivo com o lote %1 aberto: falta o trailer de lote")
                       .arg(lote_->numero));
        const bool constante = lotes_ == 1 && ultimoLote_ != 1;
        const std::int64_t lote = numero(QStringLiteral("lote de serviço"), 4, 7);
        if (lote != 9999 && !(constante && lote == ultimoLote_))
            recusaCampo(QStringLiteral("lote de serviço"), 4, 7,
                        QStringLiteral("não confere: esperado 9999%1")
                            .arg(constante
                                     ? QStringLiteral(" ou %1").arg(ultimoLote_, 4, 10, QLatin1Char('0'))
                                     : QString()));
        confere(QStringLiteral("quantidade de lotes do arquivo"), 18, 23, lotes_,
                QStringLiteral("o arquivo tem %1").arg(lotes_));
        confere(QStringLiteral("quantidade de registros do arquivo"), 24, 29, numeroLinha_,
                QStringLiteral("o arquivo tem %1").arg(numeroLinha_));
    }

    void segmentoT() {
        const Leiaute240 &l = leiaute_;
        Ocorrencia o;
        o.codigoMovimento = codigoMovimento();
        o.motivos = texto(l.motivos);
        // Only the first reason (214-215) tells a payment.
        o.pago = l.pagos.contains(o.codigoMovimento) ||
                 pagoPorMotivo(l.pagosPorMotivo, o.codigoMovimento, {o.motivos.left(2)});
        soOTipo_ = !o.pago;
        if (l.nossoNumeroNumerico)
            numero(QStringLiteral("nosso número"), l.nossoNumero.inicio, l.nossoNumero.fim);
        o.nossoNumero = texto(l.nossoNumero);
        o.numeroDocumento = texto(l.numeroDocumento);
        o.dataVencimento = data(QStringLiteral("data de vencimento"), l.vencimento);
        o.valorTitulo = dinheiro(QStringLiteral("valor do título"), l.valorTitulo.inicio, l.valorTitulo.fim);
        o.identificacaoTitulo = texto(l.identificacaoTitulo);
        o.valorTarifa = dinheiro(QStringLiteral("valor da tarifa"), l.tarifa.inicio, l.tarifa.fim);
        if (l.movimentosPix.contains(o.codigoMovimento))
            anotaSituacaoPix(o, l.motivosPix, 2);
        anotaBaixa(o, l.baixas);
        atual_ = o;
        linhaT_ = numeroLinha_;
        pendente_ = true;
    }

    // Two digits, or two letters and digits at the banks with such codes (Banrisul's AA to AC).
    QString codigoMovimento() const {
        const QByteArrayView codigo = trecho(16, 17);
        for (char c : codigo)
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')))
                recusaCampo(QStringLiteral("código de movimento"), 16, 17, QStringLiteral("inválido"));
        return QString::fromLatin1(codigo);
    }

    // Read with the T's kind: the fields of a record that moves no money do not refuse the file.
    void segmentoU() {
        soOTipo_ = !atual_.pago;
        atual_.valorJuros = dinheiro(QStringLiteral("juros/multa"), 18, 32);
        atual_.valorDesconto = dinheiro(QStringLiteral("desconto"), 33, 47);
        atual_.valorPago = dinheiro(QStringLiteral("valor pago"), 78, 92);
        atual_.valorLiquido = dinheiro(QStringLiteral("valor líquido"), 93, 107);
        atual_.dataOcorrencia = data(QStringLiteral("data da ocorrência"), 138);
        atual_.dataCredito = data(QStringLiteral("data do crédito"), 146);
        if (atual_.pagamento()) {
            completaDatas(atual_);
            pagamentoUnico();
        }
        ocorrencias_.append(atual_);
        pendente_ = false;
    }

    // The caller settles every payment it is given: the same title paid twice in one file would be
    // settled twice.
    void pagamentoUnico() {
        const QString chave = atual_.nossoNumero + u'\n' + atual_.numeroDocumento;
        const auto anterior = pagamentos_.constFind(chave);
        if (anterior != pagamentos_.cend())
            recusa(QStringLiteral("pagamento do %1 já informado na linha %2")
                       .arg(nomeDoTitulo(atual_))
                       .arg(*anterior));
        pagamentos_.insert(chave, linhaT_);
    }

    struct Lote {
        int numero = 0;
        int detalhes = 0; // segments so far
    };

    QByteArray banco_;
    const RegraBanco &regra_;
    const Leiaute240 &leiaute_;
    const ContaConfigurada *conta_;
    Ocorrencia atual_;
    qsizetype linhaT_ = 0;
    bool pendente_ = false;
    std::optional<Lote> lote_;
    int lotes_ = 0;
    int ultimoLote_ = 0;
    QHash<QString, qsizetype> pagamentos_; // line of each title's payment
    QList<Ocorrencia> ocorrencias_;
};

} // namespace

QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, QStringView banco,
                               QStringList *avisos) {
    return LeitorRetorno(nome, banco, nullptr).le(conteudo, avisos);
}

QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, const ContaConfigurada &conta,
                               QStringList *avisos) {
    return LeitorRetorno(nome, conta.configuracao.banco, &conta).le(conteudo, avisos);
}

} // namespace bolix
