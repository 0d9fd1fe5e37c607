// The tables of a reference database, as the catalogue generator creates
// them. The program reads each table by its name and its columns' names
// (ord gives the rows' order).
//
// Header-only: the catalogue generator and the tests share it.
#pragma once

inline constexpr const char* kCatalogueSchema = R"SQL(
CREATE TABLE soils (ord INTEGER PRIMARY KEY, name TEXT NOT NULL, soil_group INTEGER NOT NULL,
  d0 REAL, d1 REAL, d2 REAL, d3 REAL, d4 REAL, d5 REAL, d6 REAL, d7 REAL, d8 REAL,
  d9 REAL, d10 REAL, d11 REAL, d12 REAL, d13 REAL, d14 REAL, d15 REAL, d16 REAL);
CREATE TABLE pipe_categories (ord INTEGER PRIMARY KEY, id INTEGER NOT NULL, name TEXT NOT NULL,
  applicability INTEGER NOT NULL);
CREATE TABLE pipe_types (ord INTEGER PRIMARY KEY, id INTEGER NOT NULL, category_id INTEGER NOT NULL,
  name TEXT NOT NULL, applicability INTEGER NOT NULL);
CREATE TABLE nominal_sizes (ord INTEGER PRIMARY KEY, id INTEGER, category_id INTEGER, type_id INTEGER,
  class_code INTEGER, dn REAL, dw REAL, dz REAL, ring_stiffness REAL, section_a REAL, section_b REAL,
  deflection_code REAL, roughness REAL, rating REAL);
CREATE TABLE manhole_types (ord INTEGER PRIMARY KEY, name TEXT NOT NULL,
  dns REAL, de REAL, max_pipe_d REAL, crown_allowance REAL, weight_per_m REAL,
  min_depth REAL, max_depth REAL);
CREATE TABLE tank_types (ord INTEGER PRIMARY KEY, name TEXT NOT NULL,
  dw REAL, dz REAL, weight_per_m REAL, end_weight REAL, stiffness_class REAL,
  class_code REAL, end_allowance REAL, min_anchor_spacing REAL, max_anchor_spacing REAL);
)SQL";
