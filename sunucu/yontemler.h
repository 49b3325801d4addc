#pragma once

class Dagitici;

// Puts the methods this server implements into service on the dispatcher.
void yontemleriKaydet(Dagitici &dagitici);
