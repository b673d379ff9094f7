#pragma once

class QWidget;

// The keyboard procedures of module Conexao, shared by the screens.

// Selects the whole text of a line edit, masked edit, spin box, editable combo box or text
// edit, so that typing replaces it.
void SelecionarTexto(QWidget* controle);

// Moves the focus to the next control in the screen's tab order, as Tab would, once the
// current key event has been handled (the move is posted, not done at once).
void EnterComoTab(QWidget* tela);

// Waits the given seconds and returns the seconds that passed by Clock::monotonicSeconds(),
// which does not wrap at midnight. With processarEventos true the user interface handles its
// pending events meanwhile; with false it does not react at all. A frozen test clock is
// waited on while something advances it; once it has stood still for that many real seconds
// the wait ends, so a wait can never hang.
double Aguardar(double segundos, bool processarEventos);

// Makes the field select its whole text whenever it gets the focus (see OnGotFocus); the fields
// not made so keep their text unselected when reached by Tab or Enter.
void SelecionarTextoAoEntrar(QWidget* campo);
