#pragma once
// The fixed second schema of every fuzz input, written next to it as
// "common.xsd": data types, the collection and reference bases, one element
// and one set that an input may include, import, redefine or refer to.

namespace PalimoFuzz {

inline const char kCommonSchema[] = R"xsd(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:ff="urn:SMPTE:MXF:file_format"
           targetNamespace="urn:SMPTE:MXF:file_format" elementFormDefault="qualified">
  <xs:simpleType name="UInt8"><xs:restriction base="xs:unsignedByte"/></xs:simpleType>
  <xs:simpleType name="UInt16"><xs:restriction base="xs:unsignedShort"/></xs:simpleType>
  <xs:simpleType name="UInt32"><xs:restriction base="xs:unsignedInt"/></xs:simpleType>
  <xs:simpleType name="Int64"><xs:restriction base="xs:long"/></xs:simpleType>
  <xs:simpleType name="Boolean"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="UTF16String"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="UniversalLabel"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="UUID"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="Rational"><xs:restriction base="xs:string"/></xs:simpleType>
  <xs:simpleType name="Ref"><xs:restriction base="ff:UUID"/></xs:simpleType>
  <xs:complexType name="Array" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="Batch" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="StrongRefHolder" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="WeakRefHolder" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="StrongRefArray" abstract="true"><xs:sequence/></xs:complexType>
  <xs:complexType name="WeakRefBatch" abstract="true"><xs:sequence/></xs:complexType>

  <xs:element name="InstanceUID" type="ff:UUID">
    <xs:annotation>
      <xs:appinfo source="RP210"/>
      <xs:appinfo source="UL Designator">06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00</xs:appinfo>
      <xs:appinfo source="Local Tag">3c.0a</xs:appinfo>
      <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
    </xs:annotation>
  </xs:element>
  <xs:element name="CommonSetRef" substitutionGroup="ff:CommonSet" type="ff:Ref"/>
  <xs:element name="CommonSet" type="ff:CommonSetType">
    <xs:annotation>
      <xs:appinfo source="UL Designator">06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.7f.00</xs:appinfo>
      <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
    </xs:annotation>
  </xs:element>
  <xs:complexType name="CommonSetType">
    <xs:sequence>
      <xs:element ref="ff:InstanceUID">
        <xs:annotation><xs:appinfo source="use">required</xs:appinfo></xs:annotation>
      </xs:element>
    </xs:sequence>
  </xs:complexType>
</xs:schema>
)xsd";

} // namespace PalimoFuzz
