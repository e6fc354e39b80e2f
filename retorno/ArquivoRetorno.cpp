#include "retorno/ArquivoRetorno.h"

#include "boleto/ObjetoBolix.h"
#include "util/Erro.h"
#include "util/Rotinas.h"
#include "util/Windows1252.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <algorithm>

namespace {

constexpr int TamanhoLinhaDebito = 150;

// Every key of a return is tested: no copy is made.
bool soDigitos(const QString &texto) {
    return !texto.isEmpty() &&
           std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Positions count from 1, as the layout gives them.
QString campo(const QString &linha, int de, int ate) {
    return linha.mid(de - 1, ate - de + 1);
}

Erro erroNaLinha(int numero, const QString &texto) {
    return Erro(QStringLiteral("Arquivo retorno, linha %1: %2").arg(numero).arg(texto));
}

Ocorrencia ocorrenciaDebito(const QString &linha, int numero, Money taxaBoleto) {
    if (linha.size() != TamanhoLinhaDebito)
        throw erroNaLinha(numero, QStringLiteral("a linha tem %1 posições; o retorno de débito automático "
                                                 "tem %2 em cada linha.")
                                      .arg(linha.size())
                                      .arg(TamanhoLinhaDebito));
    const QString valor = campo(linha, 53, 67).trimmed();
    if (!soDigitos(valor) || valor.size() > 15)
        throw erroNaLinha(numero,
                          QStringLiteral("o valor (posições 53 a 67) \"%1\" não é um número.").arg(valor));
    const QString codigo = campo(linha, 68, 69);
    if (!soDigitos(codigo))
        throw erroNaLinha(
            numero,
            QStringLiteral("o código de retorno (posições 68 e 69) \"%1\" não é um número.").arg(codigo));
    const QString data = campo(linha, 45, 52);
    return {campo(linha, 3, 10),
            Money::deCentavos(valor.toLongLong()) - taxaBoleto,
            codigo.toInt(),
            QStringLiteral("linha %1").arg(numero),
            soDigitos(data) ? data : QString(),
            Money(),
            {}};
}

// The first line alone, ended at CR or LF as LinhasDoArquivo ends it.
QString primeiraLinha(QByteArrayView bytes) {
    qsizetype fim = 0;
    while (fim < bytes.size() && bytes[fim] != '\r' && bytes[fim] != '\n')
        ++fim;
    return windows1252::decodifica(bytes.first(fim));
}

} // namespace

QStringList LinhasDoArquivo(QByteArrayView bytes) {
    const QString texto = windows1252::decodifica(bytes);
    QStringList linhas;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c != u'\r' && c != u'\n')
            continue;
        linhas << texto.mid(inicio, i - inicio);
        if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
            ++i;
        inicio = i + 1;
    }
    if (inicio < texto.size())
        linhas << texto.mid(inicio);
    return linhas;
}

ModoRetorno ModoDoRetorno(const QString &primeiraLinha) {
    return primeiraLinha.contains(QLatin1String("DEBITO AUTOMATICO")) ? ModoRetorno::Debito
                                                                      : ModoRetorno::Boleto;
}

QByteArray ImpressaoDoArquivo(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString CaminhoDoRetorno(const QString &texto) {
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto[inicio] <= u' ')
        ++inicio;
    while (fim > inicio && texto[fim - 1] <= u' ')
        --fim;
    return LimpaAspas(texto.mid(inicio, fim - inicio));
}

ArquivoRetorno LeArquivoRetorno(const QString &caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível ler o arquivo retorno %1: %2.")
                       .arg(caminho, arquivo.errorString()));
    const QByteArray bytes = arquivo.readAll();
    if (bytes.isEmpty())
        throw Erro(QStringLiteral("O arquivo retorno %1 está vazio.").arg(caminho));
    ArquivoRetorno r;
    r.impressao = ImpressaoDoArquivo(bytes);
    r.modo = ModoDoRetorno(primeiraLinha(bytes));
    // The component reads a boleto return itself.
    if (r.modo == ModoRetorno::Debito)
        r.linhas = LinhasDoArquivo(bytes);
    return r;
}

std::vector<Ocorrencia> OcorrenciasDebito(const QStringList &linhas, Money taxaBoleto) {
    std::vector<Ocorrencia> ocorrencias;
    // The header and the trailer carry no debit.
    for (qsizetype i = 1; i + 1 < linhas.size(); ++i)
        ocorrencias.push_back(ocorrenciaDebito(linhas[i], int(i + 1), taxaBoleto));
    return ocorrencias;
}

std::vector<Ocorrencia> OcorrenciasBoleto(const boleto::ObjetoBolix &ObjBolix, Money taxaBoleto) {
    ObjBolix.call(QStringLiteral("OcorrenciasCobranca.Clear"));
    ObjBolix.call(QStringLiteral("CarregaArquivosRetorno"));
    return OcorrenciasDoComponente(ObjBolix, taxaBoleto);
}

std::vector<Ocorrencia> OcorrenciasDoComponente(const boleto::ObjetoBolix &ObjBolix, Money taxaBoleto) {
    const auto quantas = ObjBolix.get(QStringLiteral("OcorrenciasCobranca.Count")).toInt();
    std::vector<Ocorrencia> ocorrencias;
    ocorrencias.reserve(size_t(std::max<std::int64_t>(quantas, 0)));
    for (int i = 0; i < quantas; ++i) {
        const boleto::ObjetoBolix item(ObjBolix.item(QStringLiteral("OcorrenciasCobranca"), i).toObject());
        const Money valorPago = Money::deCurrency(item.get(QStringLiteral("ValorPago")).toCurrency());
        const QDate data = QDate::fromString(item.get(QStringLiteral("DataOcorrencia")).toText(),
                                             QStringLiteral("dd/MM/yyyy"));
        ocorrencias.push_back({item.get(QStringLiteral("NumeroDocumento")).toText(), valorPago - taxaBoleto,
                               0, QStringLiteral("ocorrência %1").arg(i + 1),
                               data.isValid() ? data.toString(QStringLiteral("yyyyMMdd")) : QString(),
                               valorPago, item.get(QStringLiteral("NossoNumero")).toText()});
    }
    return ocorrencias;
}

qint64 CodIdDaChave(const QString &chave, const QString &origem) {
    // Eighteen digits always fit the integer field.
    if (!soDigitos(chave) || chave.size() > 18)
        throw Erro(QStringLiteral("Arquivo retorno, %1: \"%2\" não é um número válido para o campo codID.")
                       .arg(origem, chave));
    return chave.toLongLong();
}
