<?xml version="1.0"?>
<!-- A Prolog 4.0 borehole for trying Holdex: one heading template, one list of units. -->
<CProlog>
  <CHeadings>
    <m_HeadingItem><CItem><m_Heading>Rock</m_Heading></CItem></m_HeadingItem>
    <m_HeadingItem><CItem><m_Heading>Pct</m_Heading></CItem></m_HeadingItem>
    <m_H