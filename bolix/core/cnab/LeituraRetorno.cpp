#include "bolix/core/cnab/LeituraRetorno.h"

#include "bolix/core/cnab/LinhasCnab.h"
#include "bolix/core/cnab/Retorno.h"

#include <QFile>

namespace bolix {

QByteArray conteudoDoRetorno(const QString &caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw ErroBolix(QStringLiteral("Não foi possível abrir o arquivo de retorno %1: %2.")
                            .arg(caminho, arquivo.errorString()));
    return arquivo.readAll();
}

QString nomeDoTitulo(const Ocorrencia &o) {
    return QStringLiteral("título %1 (nosso número %2)").arg(o.numeroDocumento, o.nossoNumero);
}

void anotaBaixa(Ocorrencia &o, const QList<BaixaDoBanco> &baixas, const QString &orientacao) {
    if (o.pago)
        return;
    for (const BaixaDoBanco &b : baixas)
        if (b.codigo == o.codigoMovimento) {
            o.baixa = b.codigo + QStringLiteral(" - ") + b.palavras;
            o.orientacaoBaixa = orientacao;
        }
}

void LeituraRetorno::percorre(const QByteArray &conteudo, qsizetype largura) {
    LinhasCnab arquivo(conteudo, largura);
    bool fechado = false;
    for (numeroLinha_ = 0; arquivo.proxima(linha_);) {
        ++numeroLinha_;
        if (fechado)
            recusa(QStringLiteral("registro após o trailer de arquivo"));
        fechado = registro();
    }
    if (numeroLinha_ == 0)
        throw ErroBolix(QStringLiteral("Arquivo de retorno %1 vazio.").arg(nome_));
    if (!fechado)
        recusa(QStringLiteral("falta o trailer de arquivo (registro 9); o arquivo está incompleto"));
}

void LeituraRetorno::recusa(const QString &motivo) const {
    throw ErroBolix(
        QStringLiteral("Arquivo de retorno %1, linha %2: %3.").arg(nome_).arg(numeroLinha_).arg(motivo));
}

void LeituraRetorno::recusaCampo(const QString &campo, int inicio, int fim, const QString &motivo) const {
    recusa(QStringLiteral("campo %1 (posições %2 a %3) com \"%4\" %5")
               .arg(campo)
               .arg(inicio)
               .arg(fim)
               .arg(QString::fromLatin1(trecho(inicio, fim)), motivo));
}

std::int64_t LeituraRetorno::numero(const QString &campo, int inicio, int fim) const {
    std::int64_t valor = 0;
    for (char c : trecho(inicio, fim)) {
        if (c < '0' || c > '9') {
            if (soOTipo_)
                return 0;
            recusaCampo(campo, inicio, fim, QStringLiteral("não numérico"));
        }
        valor = valor * 10 + (c - '0');
    }
    return valor;
}

std::int64_t LeituraRetorno::numeroDaData(const QString &campo, int inicio, int fim) const {
    return trecho(inicio, fim).trimmed().isEmpty() ? 0 : numero(campo, inicio, fim);
}

QDate LeituraRetorno::data(const QString &campo, int inicio) const {
    const std::int64_t ddmmaaaa = numeroDaData(campo, inicio, inicio + 7);
    if (ddmmaaaa == 0)
        return {};
    const QDate d(int(ddmmaaaa % 10000), int(ddmmaaaa / 10000 % 100), int(ddmmaaaa / 1000000));
    if (!d.isValid() && !soOTipo_)
        recusaCampo(campo, inicio, inicio + 7, QStringLiteral("não é uma data DDMMAAAA"));
    return d;
}

QDate LeituraRetorno::dataCurta(const QString &campo, int inicio) const {
    const std::int64_t ddmmaa = numeroDaData(campo, inicio, inicio + 5);
    if (ddmmaa == 0)
        return {};
    const QDate d(2000 + int(ddmmaa % 100), int(ddmmaa / 100 % 100), int(ddmmaa / 10000));
    if (!d.isValid() && !soOTipo_)
        recusaCampo(campo, inicio, inicio + 5, QStringLiteral("não é uma data DDMMAA"));
    return d;
}

QDate LeituraRetorno::dataAnoMesDia(const QString &campo, int inicio) const {
    const std::int64_t aaaammdd = numeroDaData(campo, inicio, inicio + 7);
    if (aaaammdd == 0)
        return {};
    const QDate d(int(aaaammdd / 10000), int(aaaammdd / 100 % 100), int(aaaammdd % 100));
    if (!d.isValid() && !soOTipo_)
        recusaCampo(campo, inicio, inicio + 7, QStringLiteral("não é uma data AAAAMMDD"));
    return d;
}

void LeituraRetorno::completaDatas(Ocorrencia &pagamento) {
    const auto data = [](const QDate &d) { return d.toString(QStringLiteral("dd/MM/yyyy")); };
    QDate &ocorrencia = pagamento.dataOcorrencia;
    QDate &credito = pagamento.dataCredito;
    const QString titulo = nomeDoTitulo(pagamento);
    if (ocorrencia.isNull() && credito.isNull())
        recusa(QStringLiteral("pagamento do %1 sem data da ocorrência nem data do crédito").arg(titulo));
    if (credito.isNull()) {
        credito = ocorrencia;
        avisa(QStringLiteral("pagamento do %1 sem data do crédito: tomada a data da ocorrência, %2")
                  .arg(titulo, data(ocorrencia)));
    } else if (ocorrencia.isNull()) {
        ocorrencia = credito;
        avisa(QStringLiteral("pagamento do %1 sem data da ocorrência: tomada a data do crédito, %2")
                  .arg(titulo, data(credito)));
    }
}

void LeituraRetorno::confere(const QString &campo, int inicio, int fim, std::int64_t esperado,
                             const QString &porque) const {
    if (numero(campo, inicio, fim) != esperado)
        recusaCampo(campo, inicio, fim, QStringLiteral("não confere: %1").arg(porque));
}

std::optional<std::int64_t> LeituraRetorno::informado(const QString &campo, Faixa f) const {
    if (trecho(f.inicio, f.fim).trimmed().isEmpty())
        return std::nullopt;
    const std::int64_t valor = numero(campo, f.inicio, f.fim);
    return valor == 0 ? std::nullopt : std::optional(valor);
}

namespace {

// Numbers compare without their leading zeros, as banks pad them differently.
QString semZeros(QString t) {
    t.remove(u' ');
    while (t.startsWith(u'0'))
        t.remove(0, 1);
    return t;
}

QString nomes(const ContaDoRetorno &partes) {
    QStringList n;
    for (const ParteDaConta &p : partes)
        if (p.identifica)
            n.append(p.nome);
    return n.join(QStringLiteral(" ou "));
}

} // namespace

void LeituraRetorno::confereConta(const ContaDoRetorno &partes, const QString &banco, bool identifica) const {
    bool identificada = false;
    for (const ParteDaConta &p : partes) {
        const QString lida = texto(p.faixa.inicio, p.faixa.fim);
        if (semZeros(lida).isEmpty() || semZeros(p.esperado).isEmpty())
            continue;
        if (semZeros(lida).compare(semZeros(p.esperado), Qt::CaseInsensitive) != 0)
            throw ErroBolix(QStringLiteral("Arquivo de retorno %1 é de outra conta: %2 %3 no arquivo "
                                           "(posições %4 a %5), %6 na conta configurada do banco %7.")
                                .arg(nome_, p.nome, lida)
                                .arg(p.faixa.inicio)
                                .arg(p.faixa.fim)
                                .arg(p.esperado, banco));
        identificada = identificada || p.identifica;
    }
    if (identifica && !identificada)
        throw ErroBolix(QStringLiteral("Arquivo de retorno %1 não identifica a conta: o header não traz %2 "
                                       "que a conta configurada do banco %3 tenha; sem isso o arquivo "
                                       "poderia ser de outra conta.")
                            .arg(nome_, nomes(partes), banco));
}

} // namespace bolix
