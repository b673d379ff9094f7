#pragma once

class InstanceLock;

// Takes the lock of the database file for this run of the program. When another running copy
// holds it, says so in a message box and answers false: the program must end. A missing file
// is no reason to refuse: opening it reports that, with how to create one.
bool UmaCopiaPorBanco(InstanceLock& trava);
