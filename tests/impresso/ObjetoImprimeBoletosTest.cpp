// ImprimeBoletos as the program calls it: late-bound members, then the call.

#include "automation/Variant.h"
#include "bolix/objeto/ContaCorrente.h"
#include "tests/support/LeituraPdf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using automation::Currency;
using automation::DispatchPtr;

namespace {

class ImprimeBoletos : public testing::Test {
protected:
    void SetUp() override {
        escreveConfiguracao({});
        remessa_ = dir_.filePath(QStringLiteral("remessa"));
    }
    void escreveConfiguracao(const QByteArray &mais,
                             const QByteArray &banco = "banco=001\r\ncarteira=17\r\ntamanho_convenio=7\r\n") {
        QFile f(dir_.filePath(QStringLiteral("bolix.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Bolix]\r\n" + banco +
                "nome_beneficiario=Loja Exemplo Ltda\r\ninscricao_beneficiario=12.345.678/0001-95\r\n" +
                mais);
        f.close();
        qputenv("BOLIX_INI", f.fileName().toLocal8Bit());
    }
    QStringList pdfs(const QString &pasta) {
        return QDir(pasta).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }
    void TearDown() override { qunsetenv("BOLIX_INI"); }

    DispatchPtr de(const DispatchPtr &o, const char *membro) {
        return o->get(QLatin1String(membro)).toObject();
    }

    // As the program's account set-up leaves the object, with a logo file that does not exist.
    void configura() {
        obj_->set(QStringLiteral("CodigoAgencia"), QStringLiteral("1584"));
        obj_->set(QStringLiteral("NumeroContaCorrente"), QStringLiteral("210169"));
        obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("1234567"));
        obj_->set(QStringLiteral("InicioNossoNumero"), QStringLiteral("0000000040"));
        obj_->set(QStringLiteral("LocalPagamento"), QStringLiteral("Pagável em qualquer banco"));
        de(obj_, "ArquivoRemessa")->set(QStringLiteral("Diretorio"), remessa_);
        const DispatchPtr impresso = de(de(obj_, "PadroesBoleto"), "PadroesBoletoImpresso");
        impresso->set(QStringLiteral("ArquivoLogotipo"), dir_.filePath(QStringLiteral("imagens/11.jpg")));
        impresso->set(QStringLiteral("MargemSuperior"), 15);
        obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    }

    DispatchPtr adiciona(const QString &nome, const QString &vencimento, std::int64_t valor) {
        const DispatchPtr doc = de(obj_, "DocumentosCobranca")->call(QStringLiteral("Add")).toObject();
        doc->set(QStringLiteral("NumeroDocumento"), QStringLiteral("0000004711"));
        doc->set(QStringLiteral("NomeSacado"), nome);
        doc->set(QStringLiteral("CPFSacado"), QStringLiteral("123.456.789-09"));
        doc->set(QStringLiteral("DataDocumento"), QStringLiteral("01/03/2025"));
        doc->set(QStringLiteral("DataVencimento"), vencimento);
        doc->set(QStringLiteral("ValorDocumento"), Currency{valor});
        doc->set(QStringLiteral("NossoNumero"), QStringLiteral("0000000089"));
        de(doc, "PadroesBoleto")->set(QStringLiteral("Demonstrativo"), QStringLiteral("Parcela única<br>"));
        return doc;
    }

    QTemporaryDir dir_;
    QString remessa_;
    DispatchPtr obj_ = std::make_shared<bolix::objeto::ContaCorrente>();
};

TEST_F(ImprimeBoletos, UmPdfAoLadoDaRemessaComUmaPaginaPorDocumento) {
    configura();
    adiciona(QStringLiteral("Maria Antônia"), QStringLiteral("10/03/2025"), 12'345'600);
    adiciona(QStringLiteral("João Gonçalves"), QStringLiteral("11/03/2025"), 12'345'600);
    obj_->call(QStringLiteral("ImprimeBoletos"));

    const QStringList gravados = pdfs(remessa_);
    ASSERT_EQ(gravados.size(), 1);
    const QString pdf = QDir(remessa_).filePath(gravados[0]);
    ASSERT_EQ(leitura::paginas(pdf), 2);
    const QString primeira = leitura::texto(pdf, 1);
    EXPECT_TRUE(primeira.contains(u"Maria Antônia")) << primeira.toStdString();
    EXPECT_TRUE(primeira.contains(u"Banco do Brasil")) << "the logo file is missing";
    EXPECT_TRUE(primeira.contains(u"Parcela única"));
    EXPECT_EQ(leitura::codigosDeBarras(pdf, 1),
              QStringList{QStringLiteral("00191101600001234560000001234567000000008917")});
    EXPECT_TRUE(leitura::texto(pdf, 2).contains(u"João Gonçalves"));
    EXPECT_EQ(leitura::codigosDeBarras(pdf, 2).value(0).mid(5, 4), u"1017");
}

TEST_F(ImprimeBoletos, PastaDasConfiguracoesTemPrecedenciaSobreADaRemessa) {
    const QString pasta = dir_.filePath(QStringLiteral("Boletos impressos"));
    escreveConfiguracao("pasta_pdf=" + pasta.toLocal8Bit() + "\r\nimprimir=N\r\n");
    configura();
    adiciona(QStringLiteral("Maria Antônia"), QStringLiteral("10/03/2025"), 12'345'600);
    obj_->call(QStringLiteral("ImprimeBoletos"));
    EXPECT_EQ(pdfs(pasta).size(), 1);
    EXPECT_TRUE(pdfs(remessa_).isEmpty());
}

TEST_F(ImprimeBoletos, ValorRuimDeImprimirEhErroQueNomeiaAChave) {
    configura();
    adiciona(QStringLiteral("Maria Antônia"), QStringLiteral("10/03/2025"), 12'345'600);
    escreveConfiguracao("imprimir=talvez\r\n");
    try {
        obj_->call(QStringLiteral("ImprimeBoletos"));
        FAIL() << "accepted imprimir=talvez";
    } catch (const automation::AutomationError &e) {
        EXPECT_TRUE(e.text().contains(u"imprimir")) << e.text().toStdString();
    }
    EXPECT_TRUE(pdfs(remessa_).isEmpty());
}

// Sicredi's código do beneficiário without its DV: the bar code does not carry it, so the boleto prints
// with the manual's bar code; the remittance, which does, is refused naming the member, and the program
// can ask so before it prints.
TEST_F(ImprimeBoletos, SicrediSemDigitoDoCodigoImprimeESoARemessaERecusada) {
    escreveConfiguracao({}, "banco=748\r\nposto=02\r\n");
    obj_->set(QStringLiteral("CodigoAgencia"), QStringLiteral("0165"));
    obj_->set(QStringLiteral("NumeroContaCorrente"), QStringLiteral("12345-6"));
    obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("00623"));
    obj_->set(QStringLiteral("InicioNossoNumero"), QStringLiteral("0"));
    const DispatchPtr remessa = de(obj_, "ArquivoRemessa");
    remessa->set(QStringLiteral("Diretorio"), remessa_);
    remessa->set(QStringLiteral("Arquivo"), QStringLiteral("remessa.rem"));
    obj_->call(QStringLiteral("ConfiguraContaCorrente"));
    EXPECT_EQ(obj_->get(QStringLiteral("CodigoCedente")).toText(), u"00623");
    const DispatchPtr doc =
        adiciona(QStringLiteral("Maria Antônia"), QStringLiteral("15/12/2025"), 1'500'000);
    doc->set(QStringLiteral("DataProcessamento"), QStringLiteral("01/03/2007"));
    doc->set(QStringLiteral("NossoNumero"), QStringLiteral("3"));

    const QString recusa = obj_->call(QStringLiteral("RecusaArquivoRemessa")).toText();
    EXPECT_TRUE(recusa.startsWith(u"CodigoCedente \"00623\" sem o dígito verificador"))
        << recusa.toStdString();
    obj_->call(QStringLiteral("ImprimeBoletos"));
    const QStringList gravados = pdfs(remessa_);
    ASSERT_EQ(gravados.size(), 1);
    EXPECT_EQ(leitura::codigosDeBarras(QDir(remessa_).filePath(gravados[0]), 1),
              QStringList{QStringLiteral("74893129600000150001107200003101650200623108")});
    try {
        obj_->call(QStringLiteral("GravaArquivoRemessa"));
        FAIL() << "written";
    } catch (const automation::AutomationError &e) {
        EXPECT_EQ(e.text(), recusa);
    }
    EXPECT_FALSE(QFile::exists(QDir(remessa_).filePath(QStringLiteral("remessa.rem"))));

    // With the DV the same account can write its remittance.
    obj_->set(QStringLiteral("CodigoCedente"), QStringLiteral("00623-8"));
    EXPECT_EQ(obj_->call(QStringLiteral("RecusaArquivoRemessa")).toText(), QString());
}

// The program calls it after clearing the list too, possibly before any settings exist.
TEST_F(ImprimeBoletos, SemDocumentosNadaAconteceNemSemConfiguracao) {
    qputenv("BOLIX_INI", dir_.filePath(QStringLiteral("nao_existe.ini")).toLocal8Bit());
    de(obj_, "ArquivoRemessa")->set(QStringLiteral("Diretorio"), remessa_);
    EXPECT_NO_THROW(obj_->call(QStringLiteral("ImprimeBoletos")));
    EXPECT_FALSE(QDir(remessa_).exists());
}

} // namespace
