// The test double other suites script the component with: its answers must be what they expect.
#include "tests/support/RecordingDispatch.h"

#include <gtest/gtest.h>

using automation::AutomationError;
using automation::Variant;

namespace {

TEST(RecordingDispatch, AnswersInTheDocumentedOrder) {
    RecordingDispatch d;
    d.answers(QStringLiteral("Add"), {Variant(1), Variant(2)});
    EXPECT_EQ(d.call(QStringLiteral("add")), Variant(1));
    EXPECT_EQ(d.call(QStringLiteral("Add")), Variant(2));
    EXPECT_EQ(d.call(QStringLiteral("Add")), Variant(2)) << "the last answer repeats";

    d.set(QStringLiteral("InicioNossoNumero"), Variant("41"));
    EXPECT_EQ(d.get(QStringLiteral("inicionossonumero")), Variant("41")) << "a property keeps what was set";
    d.answer(QStringLiteral("InicioNossoNumero"), Variant("0000000041"));
    EXPECT_EQ(d.get(QStringLiteral("InicioNossoNumero")), Variant("0000000041")) << "a scripted answer wins";
    EXPECT_EQ(d.get(QStringLiteral("Nada")), Variant());
}

TEST(RecordingDispatch, LogsEveryUseInOrderAcrossChildren) {
    RecordingDispatch d;
    d.child(QStringLiteral("ArquivoRemessa"));
    d.fail(QStringLiteral("GravaArquivoRemessa"), QStringLiteral("Disco cheio"));

    d.get(QStringLiteral("ArquivoRemessa")).toObject()->set(QStringLiteral("Sequencia"), Variant(3));
    EXPECT_THROW(d.call(QStringLiteral("GravaArquivoRemessa"), {Variant("a")}), AutomationError);
    EXPECT_THROW(d.item(0), AutomationError);

    EXPECT_EQ(d.log(), (QStringList{"get ArquivoRemessa", "set Sequencia = Int(3)",
                                    "call GravaArquivoRemessa(Text(a))", "item 0"}));
}

} // namespace
