#include "PvObserver.h"

PvObserver::~PvObserver() = default;

void PvObserver::Update(PvSubject*, void*) {}
