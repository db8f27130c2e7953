// Start-up registration of the window classes whose controls dialog templates name by class name.
#pragma once

// Registers each class with its factory, in start-up order (each step once per process).
void RegisterFactoryWindowClasses();
