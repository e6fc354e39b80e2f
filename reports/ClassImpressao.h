#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QObject;

// An ordered list of text lines, each with an optional object it does not own. Every addition,
// single or from another list, goes through AddObject, so a derived list sees each line.
class TListaLinhas {
public:
    virtual ~TListaLinhas() = default;

    void Add(const QString &linha) { AddObject(linha, nullptr); }
    void AddStrings(const TListaLinhas &outra);
    virtual void AddObject(const QString &linha, QObject *objeto);

    qsizetype Count() const { return linhas_.size(); }
    bool isEmpty() const { return linhas_.isEmpty(); }
    const QString &Strings(qsizetype i) const { return linhas_[i]; }
    QObject *Objects(qsizetype i) const { return objetos_[i]; }
    const QStringList &Linhas() const { return linhas_; }

    // Every line followed by CR LF, in Windows-1252, replacing the file. Throws Erro when it cannot be
    // written; an existing file is then left as it was.
    void SaveToFile(const QString &arquivo) const;

private:
    QStringList linhas_;
    QList<QObject *> objetos_;
};

// The paginated report: counts the lines as they are added and breaks the page with a form feed, a
// page header and, when asked, the title and header blocks again.
class TRelatorio : public TListaLinhas {
public:
    int NumeroPagina = 1;
    int LinhaAtual = 0;
    const TListaLinhas *Titulo = nullptr;
    const TListaLinhas *Cabecalho = nullptr;
    bool RepeteTitulo = false;
    bool RepeteCabecalho = false;
    int LinhasPorPagina = 66;
    int Largura = 0;
    bool ImprimeDataPagina = false;

    void AddObject(const QString &linha, QObject *objeto) override;
    void NovaPagina();

private:
    // "  Data/Hora " with the current date and time, then "Pagina n" right-aligned in the given width.
    QString LinhaDataPagina(int largura) const;

    // Set while a page break adds the new page's top lines.
    bool quebrando_ = false;
};

// Collects a report's title, header and body lines and turns them into a paginated text file that the
// viewer shows.
class TImpres {
public:
    // Starts a program without waiting for it; true when it started.
    using Iniciador = std::function<bool(const QString &programa, const QStringList &argumentos)>;

    TImpres();
    ~TImpres();

    void SetLinhasPorPagina(int valor) { LinhasPorPagina_ = valor; }
    void SetImprimeDataPagina(bool valor) { ImprimeDataPagina_ = valor; }
    void SetRepeteTitulo(bool valor) { RepeteTitulo_ = valor; }
    void SetRepeteCabecalho(bool valor) { RepeteCabecalho_ = valor; }
    void SetLargura(int valor) { Largura_ = valor; }
    int LinhasPorPagina() const { return LinhasPorPagina_; }
    bool ImprimeDataPagina() const { return ImprimeDataPagina_; }
    bool RepeteTitulo() const { return RepeteTitulo_; }
    bool RepeteCabecalho() const { return RepeteCabecalho_; }
    int Largura() const { return Largura_; }

    TListaLinhas &Titulo() { return *Titulo_; }
    TListaLinhas &Cabecalho() { return *Cabecalho_; }
    // The body lines; after MontaRelatorio, the paginated report.
    const TListaLinhas &Corpo() const { return *Corpo_; }

    // Adds to the body (or the header) a line with the text from the 1-based column on.
    void Escreve(const QString &texto, int coluna);
    void EscreveCabecalho(const QString &texto, int coluna);

    QString Centraliza(const QString &texto, int largura, const QString &preenche) const;
    QString CompletaDireita(const QString &texto, int largura, const QString &preenche) const;
    static QString CompletaEsquerda(const QString &texto, int largura, const QString &preenche);

    void MontaRelatorio();
    // Paginates, saves the report to the file and starts the viewer on it without waiting. A file that
    // cannot be written throws Erro and the viewer is not started; a viewer that does not start is ignored.
    void Visualiza(const QString &arquivo);

    // How Visualiza starts the viewer; tests replace it.
    void SetIniciador(Iniciador iniciador) { Iniciador_ = std::move(iniciador); }

private:
    int LinhasPorPagina_ = 66;
    bool ImprimeDataPagina_ = true;
    bool RepeteTitulo_ = false;
    bool RepeteCabecalho_ = false;
    int Largura_ = 0;
    std::unique_ptr<TListaLinhas> Titulo_;
    std::unique_ptr<TListaLinhas> Cabecalho_;
    std::unique_ptr<TListaLinhas> Corpo_;
    Iniciador Iniciador_;
};
