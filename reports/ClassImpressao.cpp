#include "reports/ClassImpressao.h"

#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Regional.h"
#include "util/Rotinas.h"
#include "util/Windows1252.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr QChar avancoPagina = u'\f';
constexpr int larguraNumeroPagina = 100;
// The viewer lays the report out for a wide line printer.
const QString colunasVisualizador = QStringLiteral("132");

// Nothing printable left: only blanks and control characters.
bool soBrancos(const QString &texto) {
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c <= u' '; });
}

QString repete(const QString &preenche, qsizetype vezes) {
    return vezes > 0 ? preenche.repeated(vezes) : QString();
}

// Beside the program first, then on the PATH; empty when neither has it.
QString localizaVisualizador() {
    const QString nome = QStringLiteral("visualizador");
    const QString aoLado = QStandardPaths::findExecutable(nome, {QCoreApplication::applicationDirPath()});
    return aoLado.isEmpty() ? QStandardPaths::findExecutable(nome) : aoLado;
}

QString linhaNaColuna(const QString &texto, int coluna) {
    coluna = std::max(coluna, 1);
    // The line is first filled to one character past the column, so a short text keeps blanks behind it.
    return (QString(coluna - 1, u' ') + texto).leftJustified(coluna + 1, u' ');
}

bool iniciaSemEsperar(const QString &programa, const QStringList &argumentos) {
    return QProcess::startDetached(programa, argumentos);
}

} // namespace

// TListaLinhas

void TListaLinhas::AddStrings(const TListaLinhas &outra) {
    for (qsizetype i = 0; i < outra.Count(); ++i)
        AddObject(outra.Strings(i), outra.Objects(i));
}

void TListaLinhas::AddObject(const QString &linha, QObject *objeto) {
    linhas_.append(linha);
    objetos_.append(objeto);
}

void TListaLinhas::SaveToFile(const QString &arquivo) const {
    QString texto;
    qsizetype tamanho = 0;
    for (const QString &linha : linhas_)
        tamanho += linha.size() + 2;
    texto.reserve(tamanho);
    for (const QString &linha : linhas_) {
        texto += linha;
        texto += QLatin1String("\r\n");
    }
    QSaveFile f(arquivo);
    // A folder that takes no new files still lets an existing report be overwritten.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly) || f.write(windows1252::codifica(texto)) < 0 || !f.commit())
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(arquivo));
}

// TRelatorio

void TRelatorio::AddObject(const QString &linha, QObject *objeto) {
    if (isEmpty() && ImprimeDataPagina) {
        // Not counted: the file starts with two empty lines.
        TListaLinhas::AddObject(QStringLiteral("\r\n"), nullptr);
        AddObject(LinhaDataPagina(IifVariant(Largura == 0, larguraNumeroPagina, Largura - 26).toInt()),
                  nullptr);
    }
    TListaLinhas::AddObject(linha, objeto);
    // A page too short for its own top lines would otherwise break again inside every break, without
    // end; such a page then takes one body line below its top lines.
    if (LinhaAtual >= LinhasPorPagina && !quebrando_)
        NovaPagina();
    ++LinhaAtual;
}

void TRelatorio::NovaPagina() {
    LinhaAtual = 0;
    quebrando_ = true;
    AddObject(QString(avancoPagina), nullptr);
    ++NumeroPagina;
    if (ImprimeDataPagina)
        AddObject(LinhaDataPagina(larguraNumeroPagina), nullptr);
    if (RepeteTitulo && Titulo && !Titulo->isEmpty())
        AddStrings(*Titulo);
    if (RepeteCabecalho && Cabecalho && !Cabecalho->isEmpty())
        AddStrings(*Cabecalho);
    quebrando_ = false;
}

QString TRelatorio::LinhaDataPagina(int largura) const {
    return QStringLiteral("  Data/Hora ") +
           Regional::atual().formataDataHora(Clock::agora(), u"dd/mm/yyyy hh:nn") +
           TImpres::CompletaEsquerda(QStringLiteral("Pagina %1").arg(NumeroPagina), largura,
                                     QStringLiteral(" "));
}

// TImpres

TImpres::TImpres()
    : Titulo_(std::make_unique<TListaLinhas>()), Cabecalho_(std::make_unique<TListaLinhas>()),
      Corpo_(std::make_unique<TListaLinhas>()), Iniciador_(iniciaSemEsperar) {}

TImpres::~TImpres() = default;

void TImpres::Escreve(const QString &texto, int coluna) {
    Corpo_->Add(linhaNaColuna(texto, coluna));
}

void TImpres::EscreveCabecalho(const QString &texto, int coluna) {
    Cabecalho_->Add(linhaNaColuna(texto, coluna));
}

QString TImpres::Centraliza(const QString &texto, int largura, const QString &preenche) const {
    QString resultado = texto.left(std::max(largura, 0));
    // Without a fill nothing can be added; the loop would never end.
    if (preenche.isEmpty())
        return resultado;
    while (resultado.size() < largura) {
        if (resultado.size() % 2 == 0)
            resultado.append(preenche);
        else
            resultado.prepend(preenche);
    }
    return resultado;
}

QString TImpres::CompletaDireita(const QString &texto, int largura, const QString &preenche) const {
    return texto + repete(preenche, largura - texto.size());
}

QString TImpres::CompletaEsquerda(const QString &texto, int largura, const QString &preenche) {
    return repete(preenche, largura - texto.size()) + texto;
}

void TImpres::MontaRelatorio() {
    auto relatorio = std::make_unique<TRelatorio>();
    relatorio->ImprimeDataPagina = ImprimeDataPagina_;
    relatorio->LinhasPorPagina = LinhasPorPagina_;
    relatorio->RepeteTitulo = RepeteTitulo_;
    relatorio->RepeteCabecalho = RepeteCabecalho_;
    relatorio->Largura = Largura_;
    relatorio->Titulo = Titulo_.get();
    relatorio->Cabecalho = Cabecalho_.get();

    if (!Titulo_->isEmpty())
        relatorio->AddStrings(*Titulo_);
    if (!Cabecalho_->isEmpty())
        relatorio->AddStrings(*Cabecalho_);

    for (qsizetype i = 0; i < Corpo_->Count(); ++i) {
        const QString &linha = Corpo_->Strings(i);
        const qsizetype avanco = linha.indexOf(avancoPagina);
        if (avanco < 0) {
            relatorio->AddObject(linha, Corpo_->Objects(i));
            continue;
        }
        relatorio->NovaPagina();
        const QString resto = QString(linha).remove(avanco, 1);
        if (!soBrancos(resto))
            relatorio->AddObject(resto, Corpo_->Objects(i));
    }
    Corpo_ = std::move(relatorio);
}

void TImpres::Visualiza(const QString &arquivo) {
    MontaRelatorio();
    Corpo_->SaveToFile(arquivo);
    const QString programa = localizaVisualizador();
    if (!programa.isEmpty())
        Iniciador_(programa, {QFileInfo(arquivo).absoluteFilePath(), colunasVisualizador});
}
