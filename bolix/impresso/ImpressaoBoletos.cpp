#include "ImpressaoBoletos.h"

#include "ConteudoBoleto.h"
#include "PaginaBoleto.h"
#include "PdfBoletos.h"
#include "PinturaBoleto.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace bolix {

namespace {

// Texts of every page first: a refused document stops the batch before any file exists.
QList<ConteudoBoleto> conteudos(const ContaConfigurada &conta, const QList<Documento> &docs) {
    QList<ConteudoBoleto> paginas;
    paginas.reserve(docs.size());
    for (const Documento &doc : docs)
        paginas.append(conteudoBoleto(conta, doc, calculaBoleto(conta, doc)));
    return paginas;
}

QImage logotipo(const QString &caminho) {
    QImage img;
    if (!caminho.trimmed().isEmpty() && !img.load(caminho.trimmed()))
        img.load(QString(caminho.trimmed()).replace(u'\\', u'/')); // a path written for Windows
    return img;
}

[[noreturn]] void recusaPasta(const QString &pasta, const QString &motivo) {
    throw ErroBolix(QStringLiteral("Não foi possível gravar o PDF dos boletos na pasta \"%1\": %2.")
                        .arg(QDir::toNativeSeparators(pasta), motivo));
}

// Creates the batch's file under the first free name; NewOnly makes the check and the creation one step,
// so two runs at the same moment cannot take the same name.
void criaPasta(const QString &dir) {
    if (!QDir().mkpath(dir))
        recusaPasta(dir, QStringLiteral("a pasta não existe e não pôde ser criada"));
}

void abreArquivoNovo(QFile &arquivo, const QString &pasta, const QString &prefixo, const QDate &hoje) {
    const QString dir = pasta.trimmed().isEmpty() ? QDir::currentPath() : pasta.trimmed();
    criaPasta(dir);
    const QString dia = hoje.toString(QStringLiteral("yyyyMMdd"));
    for (int sequencia = 1;; ++sequencia) {
        const QString nome =
            QStringLiteral("%1_%2_%3.pdf").arg(prefixo, dia).arg(sequencia, 3, 10, QLatin1Char('0'));
        arquivo.setFileName(QDir(dir).filePath(nome));
        if (arquivo.exists())
            continue;
        if (arquivo.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return;
        if (!arquivo.exists())
            recusaPasta(dir, arquivo.errorString());
    }
}

const QPageLayout a4SemMargens(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());

bool haTela() {
    const QString plataforma = QGuiApplication::platformName();
    return qobject_cast<QApplication *>(QCoreApplication::instance()) && plataforma != u"offscreen" &&
           plataforma != u"minimal";
}

void ofereceImpressora(const QList<ConteudoBoleto> &paginas, const QImage &logo, int margem) {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageLayout(a4SemMargens);
    impressora.setFullPage(true);
    impressora.setDocName(QStringLiteral("Boletos"));
    impressora.setFromTo(1, static_cast<int>(paginas.size()));
    QPrintDialog dialogo(&impressora);
    dialogo.setMinMax(1, static_cast<int>(paginas.size()));
    if (dialogo.exec() != QDialog::Accepted)
        return;
    int primeira = 1, ultima = static_cast<int>(paginas.size());
    if (impressora.printRange() == QPrinter::PageRange) {
        primeira = std::max(1, impressora.fromPage());
        ultima = std::min(ultima, impressora.toPage());
    }
    if (primeira <= ultima)
        desenhaBoletos(impressora, paginas.mid(primeira - 1, ultima - primeira + 1), logo, margem);
}

QString gravaPdf(const QList<ConteudoBoleto> &paginas, const QImage &logo, const OpcoesImpressao &opcoes,
                 const QDate &hoje) {
    QFile arquivo;
    if (opcoes.arquivo.isEmpty()) {
        abreArquivoNovo(arquivo, opcoes.pasta,
                        opcoes.segundaVia ? QStringLiteral("segunda_via") : QStringLiteral("boletos"), hoje);
    } else {
        arquivo.setFileName(opcoes.arquivo);
        criaPasta(QFileInfo(arquivo).absolutePath());
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
            recusaPasta(QFileInfo(arquivo).absolutePath(), arquivo.errorString());
    }
    PdfBoletos pdf(arquivo, logo);
    for (const ConteudoBoleto &pagina : paginas)
        pdf.pagina(formularioBoleto(pagina, logo.size(), opcoes.margemSuperior),
                   camposBoleto(pagina, opcoes.margemSuperior));
    pdf.termina();
    arquivo.close();
    if (arquivo.error() != QFileDevice::NoError) {
        const QString motivo = arquivo.errorString();
        arquivo.remove();
        recusaPasta(QFileInfo(arquivo).absolutePath(), motivo);
    }
    return QFileInfo(arquivo).absoluteFilePath();
}

} // namespace

QString imprimeBoletos(const ContaConfigurada &conta, const QList<Documento> &docs,
                       const OpcoesImpressao &opcoes, const QDate &hoje) {
    if (docs.isEmpty())
        return {};
    QList<ConteudoBoleto> paginas = conteudos(conta, docs);
    if (opcoes.segundaVia)
        for (ConteudoBoleto &pagina : paginas)
            pagina.via = QStringLiteral("2ª via");
    const QImage logo = logotipo(opcoes.arquivoLogotipo);
    const QString caminho = gravaPdf(paginas, logo, opcoes, hoje);
    if (opcoes.impressora && opcoes.arquivo.isEmpty() && haTela())
        ofereceImpressora(paginas, logo, opcoes.margemSuperior);
    return caminho;
}

} // namespace bolix
