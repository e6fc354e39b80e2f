#pragma once

#include "automation/Dispatch.h"

#include <QDate>
#include <QStringView>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace bolix::objeto {

using automation::DispatchPtr;
using automation::Variant;

// The value type a member declares; a write is coerced to it or refused.
enum class Tipo { Texto, Data, Inteiro, Booleano, Moeda, Objeto };

// A late-bound object whose members are declared once with their type: properties keep what is
// written, read-only members are computed, methods run a body. Names match without regard to case.
// Like a COM server called from a late-bound client, reading a method without arguments runs it and
// calling a property without arguments reads it.
class Objeto : public automation::Dispatch {
public:
    using Corpo = std::function<Variant(const QList<Variant> &)>;

    explicit Objeto(QString classe) : classe_(std::move(classe)) {}
    Objeto(const Objeto &) = delete;
    Objeto &operator=(const Objeto &) = delete;

    Variant get(const QString &membro) override;
    void set(const QString &membro, const Variant &valor) override;
    Variant call(const QString &membro, const QList<Variant> &args = {}) override;

    const QString &classe() const { return classe_; }

    // Typed reads for the bank work; each insists on the member's declared type.
    QString texto(const QString &membro) const;
    QDate data(const QString &membro) const; // invalid when never written or written empty
    std::int64_t inteiro(const QString &membro) const;
    bool booleano(const QString &membro) const;
    std::int64_t moeda(const QString &membro) const; // ten-thousandths
    // Whether the caller ever wrote the property: some members mean "not given" until set.
    bool definido(const QString &membro) const;
    // Writes a result of the component's own work (a normalised account, an occurrence) into a
    // property, with the same coercion as a caller's write.
    void define(const QString &membro, const Variant &valor);

protected:
    // Room for the members about to be declared.
    void reserva(std::size_t membros) { membros_.reserve(membros); }
    void propriedade(const QString &nome, Tipo tipo, const Variant &inicial = {});
    void leitura(const QString &nome, Tipo tipo, std::function<Variant()> valor);
    void subObjeto(const QString &nome, DispatchPtr objeto);
    void metodo(const QString &nome, int argumentos, Corpo corpo);
    // Called with a property's declared name and its coerced value before it is kept; throwing refuses it.
    virtual void confere(const QString &nome, const Variant &valor) const;

private:
    enum class Genero { Propriedade, Leitura, Metodo };
    struct Membro {
        QString nome;
        Genero genero = Genero::Propriedade;
        Tipo tipo = Tipo::Texto;
        Variant valor = {};
        bool definido = false;
        std::function<Variant()> calculado = {};
        int argumentos = 0;
        Corpo corpo = {};
    };

    void declara(Membro m);
    Membro &procura(const QString &nome);
    const Membro &procura(const QString &nome) const;
    const Membro &tipado(const QString &nome, std::initializer_list<Tipo> aceitos) const;
    Variant valorDe(const Membro &m) const;
    Variant coage(const Membro &m, const Variant &valor) const;
    void grava(Membro &m, const Variant &valor);
    Variant executa(Membro &m, const QList<Variant> &args);

    // Hashes and compares names without regard to case, so a lookup builds no lower-case copy.
    struct SemCaixa {
        using is_transparent = void;
        std::size_t operator()(QStringView nome) const noexcept;
        bool operator()(QStringView a, QStringView b) const noexcept;
    };
    // A member's position by its name.
    using Indice = std::unordered_map<QString, std::size_t, SemCaixa, SemCaixa>;
    const Indice &indice() const { return indice_ ? *indice_ : constroiIndice(); }
    const Indice &constroiIndice() const;

    QString classe_;
    // In the order declared; none is added once the object is built.
    std::vector<Membro> membros_;
    // Built at the first lookup and shared by the objects of the class.
    mutable std::shared_ptr<const Indice> indice_;
};

} // namespace bolix::objeto
