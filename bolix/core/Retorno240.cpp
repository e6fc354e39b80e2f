#include "Bancos.h"
#include "ErroBolix.h"
#include "LinhasCnab.h"
#include "Retorno.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <optional>

namespace bolix {

namespace {

class LeitorRetorno {
public:
    LeitorRetorno(const QString &nome, QStringView banco, const ContaConfigurada *conta)
        : nome_(nome), banco_(banco.toLatin1()), regra_(regraDoBanco(banco)), leiaute_(regra_.leiaute240()),
          conta_(conta) {}

    QList<Ocorrencia> le(const QByteArray &conteudo) {
        const LinhasCnab arquivo(conteudo, 240);
        const QList<QByteArrayView> &linhas = arquivo.linhas();
        if (linhas.isEmpty())
            throw ErroBolix(QStringLiteral("Arquivo de retorno %1 vazio.").arg(nome_));
        bool fechado = false;
        for (numeroLinha_ = 1; numeroLinha_ <= linhas.size(); ++numeroLinha_) {
            linha_ = linhas[numeroLinha_ - 1];
            if (fechado)
                recusa(QStringLiteral("registro após o trailer de arquivo"));
            fechado = registro();
        }
        --numeroLinha_;
        if (!fechado)
            recusa(QStringLiteral("falta o trailer de arquivo (registro 9); o arquivo está incompleto"));
        return std::move(ocorrencias_);
    }

private:
    [[noreturn]] void recusa(const QString &motivo) const {
        throw ErroBolix(
            QStringLiteral("Arquivo de retorno %1, linha %2: %3.").arg(nome_).arg(numeroLinha_).arg(motivo));
    }

    [[noreturn]] void recusaCampo(const QString &campo, int inicio, int fim, const QString &motivo) const {
        recusa(QStringLiteral("campo %1 (posições %2 a %3) com \"%4\" %5")
                   .arg(campo)
                   .arg(inicio)
                   .arg(fim)
                   .arg(QString::fromLatin1(trecho(inicio, fim)), motivo));
    }

    QByteArrayView trecho(int inicio, int fim) const { return linha_.sliced(inicio - 1, fim - inicio + 1); }

    QString texto(int inicio, int fim) const { return QString::fromLatin1(trecho(inicio, fim)).trimmed(); }
    QString texto(Faixa f) const { return texto(f.inicio, f.fim); }

    std::int64_t numero(const QString &campo, int inicio, int fim) const {
        std::int64_t valor = 0;
        for (char c : trecho(inicio, fim)) {
            if (c < '0' || c > '9')
                recusaCampo(campo, inicio, fim, QStringLiteral("não numérico"));
            valor = valor * 10 + (c - '0');
        }
        return valor;
    }

    // Two decimals in the file; ten-thousandths inside.
    Dinheiro dinheiro(const QString &campo, int inicio, int fim) const {
        return numero(campo, inicio, fim) * 100;
    }

    QDate data(const QString &campo, int inicio) const {
        const std::int64_t ddmmaaaa = numero(campo, inicio, inicio + 7);
        if (ddmmaaaa == 0)
            return {};
        const QDate d(int(ddmmaaaa % 10000), int(ddmmaaaa / 10000 % 100), int(ddmmaaaa / 1000000));
        if (!d.isValid())
            recusaCampo(campo, inicio, inicio + 7, QStringLiteral("não é uma data DDMMAAAA"));
        return d;
    }

    // Handles the current line; true when it was the file trailer.
    bool registro() {
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

    void confere(const QString &campo, int inicio, int fim, std::int64_t esperado,
                 const QString &porque) const {
        if (numero(campo, inicio, fim) != esperado)
            recusaCampo(campo, inicio, fim, QStringLiteral("não confere: %1").arg(porque));
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

    // Two accounts of one store, or two companies, keep their returns side by side: a file of another
    // account must not settle this one's receivables. A field the bank leaves blank or at zero is not
    // compared; the check digits are not, as banks write them in different places.
    void confereConta(const ContaConfigurada &conta) const {
        const Leiaute240 &l = leiaute_;
        ContaDoArquivo240 esperada = regra_.contaDoRetorno240(conta);
        // Shown as the header writes them, so that both sides read alike.
        esperada.agencia =
            esperada.agencia.rightJustified(l.agenciaArquivo.fim - l.agenciaArquivo.inicio + 1, u'0');
        esperada.conta = esperada.conta.rightJustified(l.contaArquivo.fim - l.contaArquivo.inicio + 1, u'0');
        const ContaDoArquivo240 lida{texto(l.agenciaArquivo), texto(l.contaArquivo),
                                     texto(l.convenioArquivo)};
        if (!mesmoCampo(lida.agencia, esperada.agencia) || !mesmoCampo(lida.conta, esperada.conta) ||
            !mesmoCampo(lida.convenio, esperada.convenio))
            throw ErroBolix(QStringLiteral("Arquivo de retorno %1 é de outra conta: banco %2, agência %3, "
                                           "conta %4, convênio %5 no arquivo; a conta configurada é banco "
                                           "%2, agência %6, conta %7, convênio %8.")
                                .arg(nome_, QString::fromLatin1(banco_), lida.agencia, lida.conta,
                                     lida.convenio, esperada.agencia, esperada.conta, esperada.convenio));
    }

    // Numbers compare without their leading zeros, as banks pad them differently.
    static bool mesmoCampo(const QString &lido, const QString &esperado) {
        const auto semZeros = [](QString t) {
            t.remove(u' ');
            while (t.startsWith(u'0'))
                t.remove(0, 1);
            return t;
        };
        const QString l = semZeros(lido);
        return l.isEmpty() || l.compare(semZeros(esperado), Qt::CaseInsensitive) == 0;
    }

    void headerLote() {
        if (lote_)
            recusa(QStringLiteral("header de lote com o lote %1 ainda aberto: falta o trailer de lote")
                       .arg(lote_->numero));
        confereLote(lotes_ + 1);
        lote_ = Lote{lotes_ + 1};
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

    // The bank counts every title of the lot and their face values, whatever happened to them; the
    // four carteira kinds are added up, as a bank may report its titles under any of them.
    void trailerLote() {
        if (!lote_)
            recusa(QStringLiteral("trailer de lote sem o header de lote que o abre"));
        fechaPar();
        confereLote(lote_->numero);
        confere(QStringLiteral("quantidade de registros do lote"), 18, 23, lote_->detalhes + 2,
                QStringLiteral("o lote tem %1").arg(lote_->detalhes + 2));
        std::int64_t titulos = 0;
        std::int64_t centavos = 0;
        for (const int inicio : {24, 47, 70, 93}) {
            titulos += numero(QStringLiteral("quantidade de títulos"), inicio, inicio + 5);
            centavos += numero(QStringLiteral("valor dos títulos"), inicio + 6, inicio + 22);
        }
        // A bank may fill only the record count: totals left at zero are not given.
        if (titulos != 0 && titulos != lote_->titulos)
            recusa(
                QStringLiteral("o trailer de lote informa %1 títulos (posições 24 a 29, 47 a 52, 70 a 75 e "
                               "93 a 98), o lote tem %2")
                    .arg(titulos)
                    .arg(lote_->titulos));
        if (centavos != 0 && centavos != lote_->centavos)
            recusa(QStringLiteral("o trailer de lote informa %1 centavos em valor dos títulos (posições 30 a "
                                  "46, 53 a 69, 76 a 92 e 99 a 115), os títulos do lote somam %2")
                       .arg(centavos)
                       .arg(lote_->centavos));
        lote_.reset();
        ++lotes_;
    }

    void trailerArquivo() {
        if (lote_)
            recusa(QStringLiteral("trailer de arquivo com o lote %1 aberto: falta o trailer de lote")
                       .arg(lote_->numero));
        confereLote(9999);
        confere(QStringLiteral("quantidade de lotes do arquivo"), 18, 23, lotes_,
                QStringLiteral("o arquivo tem %1").arg(lotes_));
        confere(QStringLiteral("quantidade de registros do arquivo"), 24, 29, numeroLinha_,
                QStringLiteral("o arquivo tem %1").arg(numeroLinha_));
    }

    void segmentoT() {
        const Leiaute240 &l = leiaute_;
        Ocorrencia o;
        o.codigoMovimento = codigoMovimento();
        o.pago = l.pagos.contains(o.codigoMovimento);
        if (l.nossoNumeroNumerico)
            numero(QStringLiteral("nosso número"), l.nossoNumero.inicio, l.nossoNumero.fim);
        o.nossoNumero = texto(l.nossoNumero);
        o.numeroDocumento = texto(l.numeroDocumento);
        o.dataVencimento = data(QStringLiteral("data de vencimento"), l.vencimento);
        const std::int64_t centavos =
            numero(QStringLiteral("valor do título"), l.valorTitulo.inicio, l.valorTitulo.fim);
        o.valorTitulo = centavos * 100;
        o.identificacaoTitulo = texto(l.identificacaoTitulo);
        o.valorTarifa = dinheiro(QStringLiteral("valor da tarifa"), l.tarifa.inicio, l.tarifa.fim);
        o.motivos = texto(l.motivos);
        ++lote_->titulos;
        // Capped above any trailer's total, so that a huge lot cannot overflow.
        lote_->centavos = std::min(lote_->centavos + centavos, tetoCentavos);
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

    void segmentoU() {
        atual_.valorJuros = dinheiro(QStringLiteral("juros/multa"), 18, 32);
        atual_.valorDesconto = dinheiro(QStringLiteral("desconto"), 33, 47);
        atual_.valorPago = dinheiro(QStringLiteral("valor pago"), 78, 92);
        atual_.valorLiquido = dinheiro(QStringLiteral("valor líquido"), 93, 107);
        atual_.dataOcorrencia = data(QStringLiteral("data da ocorrência"), 138);
        atual_.dataCredito = data(QStringLiteral("data do crédito"), 146);
        if (atual_.pagamento())
            pagamentoUnico();
        ocorrencias_.append(atual_);
        pendente_ = false;
    }

    // The caller settles every payment it is given: the same title paid twice in one file would be
    // settled twice.
    void pagamentoUnico() {
        const QString chave = atual_.nossoNumero + u'\n' + atual_.numeroDocumento;
        const auto anterior = pagamentos_.constFind(chave);
        if (anterior != pagamentos_.cend())
            recusa(QStringLiteral("pagamento do título %1 (nosso número %2) já informado na linha %3")
                       .arg(atual_.numeroDocumento, atual_.nossoNumero)
                       .arg(*anterior));
        pagamentos_.insert(chave, linhaT_);
    }

    struct Lote {
        int numero = 0;
        int detalhes = 0; // segments so far
        int titulos = 0;
        std::int64_t centavos = 0;
    };
    static constexpr std::int64_t tetoCentavos = 1'000'000'000'000'000'000;

    QString nome_;
    QByteArray banco_;
    const RegraBanco &regra_;
    const Leiaute240 &leiaute_;
    const ContaConfigurada *conta_;
    QByteArrayView linha_;
    qsizetype numeroLinha_ = 0;
    Ocorrencia atual_;
    qsizetype linhaT_ = 0;
    bool pendente_ = false;
    std::optional<Lote> lote_;
    int lotes_ = 0;
    QHash<QString, qsizetype> pagamentos_; // line of each title's payment
    QList<Ocorrencia> ocorrencias_;
};

} // namespace

QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, QStringView banco) {
    return LeitorRetorno(nome, banco, nullptr).le(conteudo);
}

QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome,
                               const ContaConfigurada &conta) {
    return LeitorRetorno(nome, conta.configuracao.banco, &conta).le(conteudo);
}

QList<Ocorrencia> leRetorno240(const QString &caminho, const ContaConfigurada &conta) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroBolix(QStringLiteral("Não foi possível abrir o arquivo de retorno %1: %2.")
                            .arg(caminho, arquivo.errorString()));
    return leRetorno240(arquivo.readAll(), caminho, conta);
}

} // namespace bolix
