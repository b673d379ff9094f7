#pragma once

#include <QList>

class QLineEdit;
class QMdiArea;

// A screen that opens the employee lookup and receives the employee chosen there. The lookup
// does not know its callers: it finds the open ones in its MDI area and tests their flags in
// the fixed order below; the first whose flag is set gets the choice. A screen joins by
// deriving from this class (after ChildScreen) with its place in the order.
class ChamadorConsulta {
public:
    // The order in which the lookup tests its callers.
    enum class Ordem { HorCombinado = 1, ManutHorario, Funcionarios, Relatorios };
    // What the receiving field gets: the employee number or his card code.
    enum class Valor { Codigo, Registro };

    virtual ~ChamadorConsulta() = default;

    // Set by the caller just before it opens the lookup; cleared by the lookup as it serves
    // the caller or closes.
    bool chamouConsulta = false;

    Ordem ordemConsulta() const { return ordem_; }
    Valor valorConsulta() const { return valor_; }
    // The field that receives the value and then the focus.
    virtual QLineEdit* campoConsulta() const = 0;

protected:
    ChamadorConsulta(Ordem ordem, Valor valor)
        : ordem_(ordem)
        , valor_(valor) {}

private:
    Ordem ordem_;
    Valor valor_;
};

// The callers open in the area (screens already unloaded left out), in the lookup's order;
// two screens of the same kind keep the order they were opened in.
QList<ChamadorConsulta*> ChamadoresConsulta(const QMdiArea* area);
