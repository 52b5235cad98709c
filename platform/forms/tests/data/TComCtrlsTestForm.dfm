object ComCtrlsTestForm: TComCtrlsTestForm
  Left = 120
  Top = 90
  Caption = 'Common controls'
  ClientWidth = 420
  ClientHeight = 300
  object Pages: TPageControl
    Left = 8
    Top = 8
    Width = 400
    Height = 200
    ActivePage = Target
    Style = tsFlatButtons
    TabOrder = 0
    object Source: TTabSheet
      Caption = 'Source'
      object Rows: TListView
        Left = 4
        Top = 4
        Width = 300
        Height = 150
        Checkboxes = True
        Columns = <
          item
            Caption = 'name'
            Width = 140
          end
          item
            Caption = 'value'
            Width = 500
          end>
        ViewStyle = vsReport
        TabOrder = 0
      end
    end
    object Target: TTabSheet
      Caption = 'Target'
      ImageIndex = 1
      object Compare: TComboBoxEx
        Left = 4
        Top = 4
        Width = 160
        Height = 24
        Items.Strings = (
          'exact'
          'starts with'
          'contains')
        Style = csExDropDownList
        TabOrder = 0
      end
    end
  end
  object Line: TBevel
    Left = 8
    Top = 212
    Width = 400
    Height = 2
    Shape = bsTopLine
  end
  object Finish: TDateTimePicker
    Left = 8
    Top = 220
    Width = 160
    Height = 24
    Date = 45356.000000000000000000
    DateFormat = dfLong
    TabOrder = 1
  end
  object Searching: TAnimate
    Left = 200
    Top = 220
    Width = 48
    Height = 50
    CommonAVI = aviFindFile
  end
  object OkButton: TBitBtn
    Left = 300
    Top = 260
    Width = 100
    Height = 30
    Kind = bkOK
    TabOrder = 2
  end
end
