// The shared configuration file: any file content must read without harm, and a value written reads
// back as it was written, however often it is written.

#include "Propriedade.h"

#include "config/IniFile.h"
#include "util/Regional.h"
#include "util/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// In memory where the system has it: every write of the file is synced to disk.
QString modeloDaPasta() {
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
               ? QStringLiteral("/dev/shm/ruvenal-fuzz-XXXXXX")
               : QDir::tempPath() + QStringLiteral("/ruvenal-fuzz-XXXXXX");
}

const QString &caminho() {
    static const QTemporaryDir pasta(modeloDaPasta());
    static const QString arquivo = pasta.filePath(QStringLiteral("sistema_zel.ini"));
    return arquivo;
}

QByteArray conteudo() {
    QFile f(caminho());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A section or key name the file can hold as it is: no brackets, "=", line breaks or outer blanks.
bool nomeSimples(const QString &nome) {
    if (nome.isEmpty() || nome.trimmed() != nome)
        return false;
    for (QChar c : nome)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E || QStringLiteral("[]=").contains(c))
            return false;
    return true;
}

// A value the profile functions give back unchanged: one line, no outer blanks or enclosing quotes,
// inside the length limit and the code page.
bool valorSimples(const QString &valor) {
    const bool aspas = valor.size() >= 2 && (valor.front() == u'"' || valor.front() == u'\'') &&
                       valor.back() == valor.front();
    return valor.size() <= 2047 && !aspas && !valor.contains(u'\r') && !valor.contains(u'\n') &&
           (valor.isEmpty() || (valor.front() != u' ' && valor.front() != u'\t' && valor.back() != u' ' &&
                                valor.back() != u'\t')) &&
           windows1252::decodifica(windows1252::codifica(valor)) == valor;
}

void escreveArquivo(const std::string &bytes) {
    QFile f(caminho());
    exige(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "the temporary file opens");
    f.write(bytes.data(), qint64(bytes.size()));
}

void leSemDano(const IniFile &ini, const QString &secao, const QString &chave) {
    const IniFileLido lido = ini.leTudo();
    lido.lerTexto(secao, chave, {});
    lido.lerInteiro(secao, chave, 0);
    lido.lerInteiro32(secao, chave, 0);
    lido.lerFlag(secao, chave, false);
    lido.lerDecimal(secao, chave, Money());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Regional::definir(Regional::brasileiro());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
    FuzzedDataProvider fdp(dados, tamanho);
    const QString secao = QString::fromLatin1(fdp.ConsumeRandomLengthString(24));
    const QString chave = QString::fromLatin1(fdp.ConsumeRandomLengthString(24));
    const QString valor = windows1252::decodifica(fdp.ConsumeRandomLengthString(64));
    const auto unidades = fdp.ConsumeIntegral<std::int64_t>();
    const auto inteiro = fdp.ConsumeIntegral<qint64>();
    escreveArquivo(fdp.ConsumeRemainingBytesAsString());

    const IniFile ini(caminho());
    leSemDano(ini, secao, chave);
    if (!nomeSimples(secao) || !nomeSimples(chave))
        return 0;
    ini.gravarTexto(secao, chave, valor);
    const QByteArray depoisDaPrimeira = conteudo();
    ini.gravarTexto(secao, chave, valor);
    exige(conteudo() == depoisDaPrimeira, "writing the same value again leaves the file as it was",
          QString::fromLatin1(depoisDaPrimeira.toPercentEncoding(" =[]\r\n")));
    if (valorSimples(valor))
        exige(ini.lerTexto(secao, chave, QStringLiteral("\x01")) == valor, "a text reads back", valor);

    ini.gravarInteiro(secao, chave, inteiro);
    exige(ini.lerInteiro(secao, chave, 0) == inteiro, "an integer reads back", QString::number(inteiro));

    const Money dinheiro = Money::deUnidades(unidades);
    ini.gravarDecimal(secao, chave, dinheiro);
    exige(ini.lerDecimal(secao, chave, Money()) == dinheiro, "a decimal reads back",
          dinheiro.toDecimalText() + u' ' + ini.lerTexto(secao, chave, {}));
    return 0;
}
