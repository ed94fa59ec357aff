object Form1: TForm1
  Left = 238
  Top = 126
  Width = 667
  Height = 470
  Caption = 'System magazynowy Kolbrenta'
  Color = clBtnFace
  Font.Charset = EASTEUROPE_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Arial'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesktopCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 14
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 641
    Height = 417
    Caption = 'Wyb'#243'r magazynu'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 0
    object Panel1: TPanel
      Left = 80
      Top = 72
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 0
      object Label1: TLabel
        Left = 40
        Top = 56
        Width = 67
        Height = 16
        Caption = 'Spo'#191'ywczy'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object SpozBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = SpozButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object Panel2: TPanel
      Left = 236
      Top = 72
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 1
      object Label2: TLabel
        Left = 32
        Top = 56
        Width = 97
        Height = 16
        Caption = #140'rodki czysto'#156'ci'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object CzystBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = CzystButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object Panel3: TPanel
      Left = 392
      Top = 72
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 2
      object Label3: TLabel
        Left = 40
        Top = 56
        Width = 70
        Height = 16
        Caption = 'Papierniczy'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object PapBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = PapButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object Panel6: TPanel
      Left = 392
      Top = 168
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 3
      object Label6: TLabel
        Left = 48
        Top = 56
        Width = 54
        Height = 16
        Caption = 'Meblowy'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object MeblBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = MeblButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object Panel5: TPanel
      Left = 236
      Top = 168
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 4
      object Label5: TLabel
        Left = 32
        Top = 56
        Width = 81
        Height = 16
        Caption = 'Gospodarczy'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object GospBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = GospButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object Panel4: TPanel
      Left = 80
      Top = 168
      Width = 153
      Height = 89
      BorderStyle = bsSingle
      TabOrder = 5
      object Label4: TLabel
        Left = 48
        Top = 56
        Width = 65
        Height = 16
        Caption = 'Odzie'#191'owy'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object OdziezBut: TLMDButton
        Left = 20
        Top = 20
        Width = 109
        Height = 33
        Caption = 'Magazyn'
        Font.Charset = EASTEUROPE_CHARSET
        Font.Color = clWindowText
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        OnClick = OdziezButClick
        Glyph = 'TILEGLYPH'
      end
    end
    object ZamknijBut: TLMDButton
      Left = 520
      Top = 352
      Width = 89
      Height = 33
      Caption = 'Zamknij'
      Font.Charset = EASTEUROPE_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'Arial'
      Font.Style = []
      ParentFont = False
      TabOrder = 6
      OnClick = ZamknijButClick
      Glyph = 'CLOSEGLYPH'
    end
  end
end
