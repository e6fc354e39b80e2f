#include "config/IniFile.h"

#include "util/Erro.h"
#include "util/Regional.h"
#include "util/Windows1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <limits>

namespace {

constexpr qsizetype tamanhoMaximo = 2047;
const QByteArray fimNovo = QByteArrayLiteral("\r\n");

// One line of the file as it stands on disk, so untouched lines are written back byte for byte.
struct Linha {
    QByteArray texto; // without its line end
    QByteArray fim;   // "\r\n", "\n", or nothing on a last line without one
};

QList<Linha> separaLinhas(const QByteArray &conteudo) {
    QList<Linha> linhas;
    qsizetype inicio = 0;
    while (inicio < conteudo.size()) {
        const qsizetype nl = conteudo.indexOf('\n', inicio);
        if (nl < 0) {
            linhas.append({conteudo.mid(inicio), {}});
            break;
        }
        const bool cr = nl > inicio && conteudo[nl - 1] == '\r';
        linhas.append({conteudo.mid(inicio, nl - inicio - (cr ? 1 : 0)), cr ? fimNovo : QByteArray("\n")});
        inicio = nl + 1;
    }
    return linhas;
}

QByteArray juntaLinhas(const QList<Linha> &linhas) {
    QByteArray conteudo;
    for (const Linha &l : linhas)
        conteudo += l.texto + l.fim;
    return conteudo;
}

bool ehBranco(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

QStringView aparaBrancos(QStringView t) {
    while (!t.isEmpty() && ehBranco(t.front()))
        t = t.sliced(1);
    while (!t.isEmpty() && ehBranco(t.back()))
        t.chop(1);
    return t;
}

bool mesmoNome(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a section header line "[name]".
std::optional<QStringView> nomeDaSecao(QStringView linha) {
    const QStringView t = aparaBrancos(linha);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype fecha = t.indexOf(u']');
    return aparaBrancos(t.sliced(1, (fecha < 0 ? t.size() : fecha) - 1));
}

// Where a key stands: its section's header, the key's own line, and the line after which a new key
// of the section goes (its last key, or the header).
struct Local {
    qsizetype secao = -1;
    qsizetype chave = -1;
    qsizetype ultimaChave = -1;
};

// The first section of the name and the first key of the name in it, as the profile functions find them.
Local localiza(const QList<QString> &linhas, const QString &secao, const QString &chave) {
    Local local;
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        if (const auto nome = nomeDaSecao(linhas[i])) {
            if (local.secao >= 0)
                break;
            if (mesmoNome(*nome, secao))
                local.secao = local.ultimaChave = i;
            continue;
        }
        const qsizetype igual = linhas[i].indexOf(u'=');
        if (local.secao < 0 || igual < 0)
            continue;
        local.ultimaChave = i;
        if (local.chave < 0 && mesmoNome(aparaBrancos(QStringView(linhas[i]).first(igual)), chave))
            local.chave = i;
    }
    return local;
}

QList<QString> decodifica(const QList<Linha> &linhas) {
    QList<QString> textos;
    textos.reserve(linhas.size());
    for (const Linha &l : linhas)
        textos.append(windows1252::decodifica(l.texto));
    return textos;
}

QString valorDaLinha(QStringView linha) {
    QStringView v = aparaBrancos(linha.sliced(linha.indexOf(u'=') + 1));
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    return v.left(tamanhoMaximo).toString();
}

bool soDigitos(QStringView t, int base) {
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!(c >= u'0' && c <= u'9') && !(base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))
            return false;
    return true;
}

std::optional<qint64> inteiroDoPerfil(QStringView t) {
    const bool hexa = t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X');
    const QStringView digitos =
        hexa ? t.sliced(2) : (t.startsWith(u'-') || t.startsWith(u'+') ? t.sliced(1) : t);
    bool ok = false;
    const qint64 valor = hexa ? digitos.toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
    if (!ok || !soDigitos(digitos, hexa ? 16 : 10))
        return std::nullopt;
    return valor;
}

[[noreturn]] void recusada(const QString &caminho) {
    throw Erro(QStringLiteral("Não foi possível gravar em %1").arg(QDir::toNativeSeparators(caminho)));
}

QByteArray conteudoAtual(const QString &caminho) {
    QFile arquivo(caminho);
    if (!arquivo.exists())
        return {};
    // Writing without the other programs' keys would lose them.
    if (!arquivo.open(QIODevice::ReadOnly))
        recusada(caminho);
    return arquivo.readAll();
}

// For a file that may be written but not replaced (its folder refuses the temporary file). The
// file is grown before anything is overwritten, so a full disk fails with the old content intact.
bool gravaNoLugar(const QString &caminho, const QByteArray &conteudo) {
    QFile arquivo(caminho);
    if (!arquivo.exists() || !arquivo.open(QIODevice::ReadWrite))
        return false;
    if (conteudo.size() > arquivo.size() && !arquivo.resize(conteudo.size()))
        return false;
    return arquivo.write(conteudo) == conteudo.size() && arquivo.resize(conteudo.size()) && arquivo.flush();
}

// The whole new content goes to a file beside the old one, which then takes its place: a failed
// write never leaves the shared file cut short.
void gravaConteudo(const QString &caminho, const QByteArray &conteudo) {
    QSaveFile arquivo(caminho);
    if (arquivo.open(QIODevice::WriteOnly) && arquivo.write(conteudo) == conteudo.size() && arquivo.commit())
        return;
    if (!gravaNoLugar(caminho, conteudo))
        recusada(caminho);
}

// The key of a line as it stands in the file, without the blanks around it. The whole line is rewritten:
// keeping the old blanks after "=" would add to a value's own leading blanks at every write.
QByteArray nomeDaChave(const QByteArray &linha) {
    QByteArrayView nome = QByteArrayView(linha).first(linha.indexOf('='));
    while (!nome.isEmpty() && ehBranco(QChar::fromLatin1(nome.front())))
        nome = nome.sliced(1);
    while (!nome.isEmpty() && ehBranco(QChar::fromLatin1(nome.back())))
        nome.chop(1);
    return nome.toByteArray();
}

void insereApos(QList<Linha> &linhas, qsizetype i, const QByteArray &texto) {
    if (i >= 0 && linhas[i].fim.isEmpty())
        linhas[i].fim = fimNovo;
    linhas.insert(i + 1, {texto, fimNovo});
}

// A line break in a value would end the line and turn the rest into a line of its own.
QString umaLinha(QString valor) {
    valor.replace(u'\r', u' ');
    valor.replace(u'\n', u' ');
    return valor;
}

void grava(const QString &caminho, const QString &secao, const QString &chave, const QString &valor) {
    QList<Linha> linhas = separaLinhas(conteudoAtual(caminho));
    const Local local = localiza(decodifica(linhas), secao, chave);
    const QByteArray novo = windows1252::codifica(umaLinha(valor));
    if (local.chave >= 0) {
        QByteArray &texto = linhas[local.chave].texto;
        texto = nomeDaChave(texto) + '=' + novo;
    } else if (local.secao >= 0) {
        insereApos(linhas, local.ultimaChave, windows1252::codifica(chave) + '=' + novo);
    } else {
        if (!linhas.isEmpty() && !aparaBrancos(windows1252::decodifica(linhas.last().texto)).isEmpty())
            insereApos(linhas, linhas.size() - 1, {});
        insereApos(linhas, linhas.size() - 1, '[' + windows1252::codifica(secao) + ']');
        insereApos(linhas, linhas.size() - 1, windows1252::codifica(chave) + '=' + novo);
    }
    gravaConteudo(caminho, juntaLinhas(linhas));
}

} // namespace

IniFile::IniFile()
    : IniFile(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sistema_zel.ini"))) {}

IniFile::IniFile(QString caminho) : caminho_(std::move(caminho)) {}

IniFileLido IniFile::leTudo() const {
    QFile arquivo(caminho_);
    if (!arquivo.open(QIODevice::ReadOnly))
        return IniFileLido({});
    return IniFileLido(decodifica(separaLinhas(arquivo.readAll())));
}

QString IniFile::lerTexto(const QString &secao, const QString &chave, const QString &padrao) const {
    return leTudo().lerTexto(secao, chave, padrao);
}

qint64 IniFile::lerInteiro(const QString &secao, const QString &chave, qint64 padrao) const {
    return leTudo().lerInteiro(secao, chave, padrao);
}

int IniFile::lerInteiro32(const QString &secao, const QString &chave, int padrao) const {
    return leTudo().lerInteiro32(secao, chave, padrao);
}

bool IniFile::lerFlag(const QString &secao, const QString &chave, bool padrao) const {
    return leTudo().lerFlag(secao, chave, padrao);
}

Money IniFile::lerDecimal(const QString &secao, const QString &chave, Money padrao) const {
    return leTudo().lerDecimal(secao, chave, padrao);
}

std::optional<QString> IniFileLido::le(const QString &secao, const QString &chave) const {
    const Local local = localiza(linhas_, secao, chave);
    if (local.chave < 0)
        return std::nullopt;
    return valorDaLinha(linhas_[local.chave]);
}

QString IniFileLido::lerTexto(const QString &secao, const QString &chave, const QString &padrao) const {
    return le(secao, chave).value_or(padrao);
}

qint64 IniFileLido::lerInteiro(const QString &secao, const QString &chave, qint64 padrao) const {
    const auto texto = le(secao, chave);
    return texto ? inteiroDoPerfil(*texto).value_or(padrao) : padrao;
}

int IniFileLido::lerInteiro32(const QString &secao, const QString &chave, int padrao) const {
    const qint64 valor = lerInteiro(secao, chave, padrao);
    return valor >= std::numeric_limits<int>::min() && valor <= std::numeric_limits<int>::max() ? int(valor)
                                                                                                : padrao;
}

bool IniFileLido::lerFlag(const QString &secao, const QString &chave, bool padrao) const {
    return lerInteiro(secao, chave, padrao ? 1 : 0) != 0;
}

Money IniFileLido::lerDecimal(const QString &secao, const QString &chave, Money padrao) const {
    const auto texto = le(secao, chave);
    return texto ? Regional::atual().leDecimal(*texto).value_or(padrao) : padrao;
}

void IniFile::gravarTexto(const QString &secao, const QString &chave, const QString &valor) const {
    grava(caminho_, secao, chave, valor);
}

void IniFile::gravarInteiro(const QString &secao, const QString &chave, qint64 valor) const {
    grava(caminho_, secao, chave, QString::number(valor));
}

void IniFile::gravarFlag(const QString &secao, const QString &chave, bool valor) const {
    grava(caminho_, secao, chave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::gravarDecimal(const QString &secao, const QString &chave, Money valor) const {
    grava(caminho_, secao, chave, Regional::atual().formataGeral(valor));
}
