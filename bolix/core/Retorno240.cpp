#include "ErroBolix.h"
#include "Retorno.h"

#include <QFile>

namespace bolix {

namespace {

class LeitorRetorno {
public:
    LeitorRetorno(const QString &nome, QStringView banco) : nome_(nome), banco_(banco.toLatin1()) {}

    QList<Ocorrencia> le(const QByteArray &conteudo) {
        QList<QByteArrayView> linhas = separaLinhas(conteudo);
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
        if (pendente_)
            recusa(QStringLiteral("segmento T sem o segmento U que o completa"));
        if (!fechado)
            recusa(QStringLiteral("falta o trailer de arquivo (registro 9); o arquivo está incompleto"));
        return std::move(ocorrencias_);
    }

private:
    static QList<QByteArrayView> separaLinhas(const QByteArray &conteudo) {
        QList<QByteArrayView> linhas;
        qsizetype inicio = 0;
        while (inicio < conteudo.size()) {
            qsizetype fim = conteudo.indexOf('\n', inicio);
            if (fim < 0)
                fim = conteudo.size();
            qsizetype corte = fim;
            if (corte > inicio && conteudo[corte - 1] == '\r')
                --corte;
            linhas.append(QByteArrayView(conteudo.constData() + inicio, corte - inicio));
            inicio = fim + 1;
        }
        while (!linhas.isEmpty() && linhas.last().trimmed().isEmpty())
            linhas.removeLast();
        return linhas;
    }

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
            if (numeroLinha_ != 1)
                recusa(QStringLiteral("header de arquivo fora da primeira linha"));
            if (linha_[142] != '2')
                recusaCampo(QStringLiteral("código remessa/retorno"), 143, 143,
                            QStringLiteral("não indica um retorno (2)"));
            return false;
        case '1':
        case '5':
            if (pendente_)
                recusa(QStringLiteral("segmento T sem o segmento U que o completa"));
            return false;
        case '3':
            detalhe();
            return false;
        case '9':
            if (pendente_)
                recusa(QStringLiteral("segmento T sem o segmento U que o completa"));
            return true;
        default:
            recusaCampo(QStringLiteral("tipo de registro"), 8, 8, QStringLiteral("desconhecido"));
        }
    }

    void detalhe() {
        const char segmento = linha_[13];
        if (segmento == 'T') {
            if (pendente_)
                recusa(QStringLiteral("segmento T sem o segmento U que o completa"));
            segmentoT();
        } else if (segmento == 'U') {
            if (!pendente_)
                recusa(QStringLiteral("segmento U sem o segmento T que o precede"));
            segmentoU();
        } else {
            recusaCampo(QStringLiteral("segmento"), 14, 14, QStringLiteral("desconhecido num retorno"));
        }
    }

    void segmentoT() {
        Ocorrencia o;
        o.codigoMovimento =
            QString::number(numero(QStringLiteral("código de movimento"), 16, 17)).rightJustified(2, u'0');
        o.nossoNumero = texto(38, 57);
        o.numeroDocumento = texto(59, 73);
        o.dataVencimento = data(QStringLiteral("data de vencimento"), 74);
        o.valorTitulo = dinheiro(QStringLiteral("valor do título"), 82, 96);
        o.identificacaoTitulo = texto(106, 130);
        o.valorTarifa = dinheiro(QStringLiteral("valor da tarifa"), 199, 213);
        o.motivos = texto(214, 223);
        if (o.numeroDocumento.isEmpty())
            recusaCampo(QStringLiteral("número do documento"), 59, 73, QStringLiteral("vazio"));
        atual_ = o;
        pendente_ = true;
    }

    void segmentoU() {
        atual_.valorJuros = dinheiro(QStringLiteral("juros/multa"), 18, 32);
        atual_.valorDesconto = dinheiro(QStringLiteral("desconto"), 33, 47);
        atual_.valorPago = dinheiro(QStringLiteral("valor pago"), 78, 92);
        atual_.valorLiquido = dinheiro(QStringLiteral("valor líquido"), 93, 107);
        atual_.dataOcorrencia = data(QStringLiteral("data da ocorrência"), 138);
        atual_.dataCredito = data(QStringLiteral("data do crédito"), 146);
        ocorrencias_.append(atual_);
        pendente_ = false;
    }

    QString nome_;
    QByteArray banco_;
    QByteArrayView linha_;
    qsizetype numeroLinha_ = 0;
    Ocorrencia atual_;
    bool pendente_ = false;
    QList<Ocorrencia> ocorrencias_;
};

} // namespace

QList<Ocorrencia> leRetorno240(const QByteArray &conteudo, const QString &nome, QStringView banco) {
    return LeitorRetorno(nome, banco).le(conteudo);
}

QList<Ocorrencia> leRetorno240(const QString &caminho, QStringView banco) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroBolix(QStringLiteral("Não foi possível abrir o arquivo de retorno %1: %2.")
                            .arg(caminho, arquivo.errorString()));
    return leRetorno240(arquivo.readAll(), caminho, banco);
}

} // namespace bolix
